-- The sample tables of the server tests, made by their owner, the tests' user. Unquoted names
-- fold to lower case, so SALES.ORDERS is sales.orders.
CREATE SCHEMA sales;

CREATE TABLE sales.orders (
    order_id integer PRIMARY KEY,
    region varchar(20),
    customer text,
    amount numeric(18, 4),
    quantity bigint,
    paid boolean,
    ordered timestamp,
    shipped date,
    receipt bytea
);

INSERT INTO sales.orders VALUES
    (1, 'East', 'O''Brien; Sons', 1234.5678, 9000000000, true,
     '2001-03-04 05:06:07', '2001-03-05', '\x00ff10'),
    (2, 'West', 'Zoë Ærø 東京', -99.0001, -5, false,
     '2001-03-15 23:59:59.25', '2001-03-20', ''),
    (3, NULL, '', 0, NULL, NULL, '2002-12-31 00:00:00', NULL, NULL),
    (4, 'East', NULL, NULL, 7, true, '2001-04-01 12:30:00', '2001-04-02', NULL),
    (5, 'North', repeat('long text 😀 ', 1000) || 'end', 10.5, 1, true, NULL, NULL,
     decode(repeat('0123456789abcdef', 3000), 'hex'));

-- One column of each kind the program meets.
CREATE TABLE sales.kinds (
    small_value smallint,
    int_value integer,
    big_value bigint,
    real_value real,
    double_value double precision,
    numeric_value numeric(18, 4),
    whole_numeric numeric(20, 0),
    char_value char(3),
    varchar_value varchar(10),
    text_value text,
    bool_value boolean,
    date_value date,
    time_value time,
    timestamp_value timestamp,
    bytes_value bytea,
    uuid_value uuid
);

INSERT INTO sales.kinds VALUES
    (-32768, -2147483648, -9223372036854775808, 1.5, -2.25, -12345678901234.5678,
     12345678901234567890, 'ab', 'Grüße', 'x', false, '1999-12-31', '23:59:58',
     '1999-12-31 23:59:58', '\x01', 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'),
    (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL);

-- Texts a condition must carry whole: quotes, brackets, backslashes, line breaks of every kind,
-- Like's wildcards and 100,000 characters, each in several rows.
CREATE TABLE sales.texts (label text, note varchar(200), amount numeric(10, 2));

INSERT INTO sales.texts
    SELECT t.label, n.note, n.n * 1.25
    FROM (VALUES ('it''s "q"'), ('[x]'), (']'), (E'line\nbreak'), (E'line\r\nbreak'),
                 (E'line\rbreak'), ('back\slash'), ('%_*?#'), (repeat('x', 100000)),
                 (repeat('x', 99999) || 'y'), (NULL)) AS t(label),
         (VALUES (1, 'a''b'), (2, E'\t[tab]'), (3, NULL)) AS n(n, note);

-- Names the server reads only in double quotes: mixed case, blanks, a double quote.
CREATE VIEW sales."Odd Names" AS
    SELECT region AS "Region Name", amount AS "Say ""Hi""", order_id AS "Order" FROM sales.orders;

CREATE VIEW sales.east_orders AS SELECT * FROM sales.orders WHERE region = 'East';

-- Three thousand readings whose ratio cannot be computed for the 700th: a result that fails part
-- way while it is read, long after its first rows were handed over, and long before its end.
CREATE VIEW sales.readings AS
    SELECT n AS reading, 1000 / (n - 700) AS ratio FROM generate_series(1, 3000) AS n;

CREATE TABLE public.notes (id integer, note text);
INSERT INTO public.notes VALUES (1, 'first'), (2, 'second');

-- The date conversions the program writes, as an Oracle server reads them: to_date keeps the
-- time of day and to_timestamp has no time zone. Found before PostgreSQL's own, which return a
-- date and a timestamp with time zone.
CREATE FUNCTION public.to_date(text, text) RETURNS timestamp
    LANGUAGE sql IMMUTABLE STRICT
    AS $$ SELECT pg_catalog.to_timestamp($1, $2)::timestamp $$;
CREATE FUNCTION public.to_timestamp(text, text) RETURNS timestamp
    LANGUAGE sql IMMUTABLE STRICT
    AS $$ SELECT pg_catalog.to_timestamp($1, $2)::timestamp $$;
DO $$ BEGIN
    EXECUTE format('ALTER DATABASE %I SET search_path = "$user", public, pg_catalog',
                   current_database());
END $$;
