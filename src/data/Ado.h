#pragma once

// Settings of connections and recordsets, by the numbers the program's handlers pass.
namespace data::ado {

enum CursorLocation { adUseServer = 2, adUseClient = 3 };
enum CursorType { adOpenUnspecified = -1, adOpenForwardOnly = 0, adOpenStatic = 3 };
enum LockType { adLockUnspecified = -1, adLockReadOnly = 1 };
enum Options { adOptionUnspecified = -1, adAsyncFetch = 32 };
enum ConnectMode { adModeUnknown = 0, adModeRead = 1 };
enum Schema { adSchemaTables = 20 };

} // namespace data::ado
