SELECT Count(1) AS CCNT, Min([ShipperID]) AS CMIN, Max([ShipperID]) AS CMAX, Avg([ShipperID]) AS CAVG, Sum([ShipperID]) AS CSUM FROM [Shippers]
SELECT [CompanyName] AS CNAME, Count(1) AS CCNT FROM [Shippers] WHERE [ShipperID] = 2 GROUP BY [CompanyName]
SELECT Count(1) AS CCNT FROM [Categories] WHERE [CategoryName] Is Null
SELECT Format([BirthDate], "yyyy") AS CNAME, Count(1) AS CCNT, Min([EmployeeID]) AS CMIN FROM [Employees] GROUP BY Format([BirthDate], "yyyy")
SELECT Format([HireDate], "yyyy-mm-dd hh:nn:ss") AS CNAME, Count(1) AS CCNT FROM [Employees] WHERE [Title] = 'Sales Representative' GROUP BY Format([HireDate], "yyyy-mm-dd hh:nn:ss")
SELECT [LastName], [FirstName], [Title], [BirthDate] FROM [Employees] WHERE [EmployeeID] = 5 AND [Country] = 'UK'
SELECT [CategoryName] & Chr(9) & [Description] FROM [Categories] WHERE [CategoryID] > 3
SELECT [ShipperID], [CompanyName], [Phone] FROM [Shippers] WHERE 1 = 0
SELECT * FROM [Shippers] ORDER BY [CompanyName] DESC
SELECT Count(1) AS CCNT FROM [Employees] WHERE [HireDate] = #5/1/1992# AND [ReportsTo] IN (2, 5) AND [LastName] LIKE 'D*'
SELECT CStr([HireDate]), CDbl([EmployeeID]) / 3, CInt([EmployeeID] * 1.5), Nz([Region], 'none') FROM [Employees]
SELECT DISTINCTROW TOP 3 [CategoryName] FROM [Categories] ORDER BY [CategoryName]
SELECT e.[LastName], s.[CompanyName] FROM [Employees] AS e, [Shippers] AS s WHERE e.[EmployeeID] = s.[ShipperID]
SELECT [CategoryName] FROM [Categories] INNER JOIN [Products] ON [Categories].[CategoryID] = [Products].[CategoryID] WHERE [UnitPrice] > (SELECT Avg([UnitPrice]) FROM [Products])
SELECT [CompanyName] FROM [Customers] AS c WHERE NOT EXISTS (SELECT * FROM [Orders] AS o WHERE o.[CustomerID] = c.[CustomerID]) OR IsNull(c.[Region])
