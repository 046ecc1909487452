// The yardstick of the goals benchmark: DuckDB, in memory, given the same Sales rows (written by
// `quarrymere_goals_bench --csv`) and the steps the goals time. A benchmark-only tool, never
// shipped with the program.
//
//   node goals.mjs SALES.csv RUNS
//
// Prints one line per step, the median of RUNS on the wall clock:
//   duckdb STEP: FIGURE ms
// The program's text comparison holds letter cases equal, so each grouping is timed twice: by the
// values as they are (exact) and by their lower case (folded, the program's work).
import { DuckDBInstance } from '@duckdb/node-api';
import { readFileSync } from 'node:fs';

const [csv, runsText] = process.argv.slice(2);
const runs = Math.max(1, Number(runsText ?? 3));

const instance = await DuckDBInstance.create(':memory:');
const db = await instance.connect();
const rows = async (sql) => (await db.runAndReadAll(sql)).getRows();

function median(values) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor(sorted.length / 2)];
}

async function timed(name, steps) {
    const times = [];
    for (let run = 0; run < runs; ++run) {
        const start = process.hrtime.bigint();
        for (const sql of steps)
            await rows(sql);
        times.push(Number(process.hrtime.bigint() - start) / 1e6);
    }
    console.log(`duckdb ${name}: ${median(times).toFixed(1)} ms`);
}

function quoted(text) {
    return `'${String(text).replaceAll("'", "''")}'`;
}

// The load, once: a second table would double the memory.
{
    const start = process.hrtime.bigint();
    await rows(`CREATE TABLE sales AS SELECT * FROM read_csv(${quoted(csv)}, header = true,
        columns = {'Region': 'VARCHAR', 'City': 'VARCHAR', 'Customer': 'VARCHAR',
                   'OrderDate': 'TIMESTAMP', 'Amount': 'DOUBLE', 'Qty': 'INTEGER',
                   'Paid': 'BOOLEAN'})`);
    console.log(`duckdb load: ${(Number(process.hrtime.bigint() - start) / 1e6).toFixed(1)} ms`);
}

await timed('root', ['SELECT count(*), min(Region), max(Region) FROM sales']);

// Level 1 by City with the figures of the next column, Region, and the null group.
const nullCities = 'SELECT count(*), min(Region), max(Region) FROM sales WHERE City IS NULL';
await timed('level 1 by City, exact', [
    `SELECT City, count(*), min(Region), max(Region) FROM sales WHERE City IS NOT NULL
     GROUP BY City ORDER BY City`,
    nullCities,
]);
await timed('level 1 by City, folded', [
    `SELECT min(City), count(*), min(Region), max(Region) FROM sales WHERE City IS NOT NULL
     GROUP BY lower(City) ORDER BY lower(City)`,
    nullCities,
]);

// A click at depth 2 under the second largest city, in its largest region: the level of its
// customers with the figures of OrderDate, its null group, and the grid's count and first screen.
const [[, city]] = await rows(
    `SELECT count(*) AS n, min(City) FROM sales WHERE City IS NOT NULL GROUP BY lower(City)
     ORDER BY n DESC LIMIT 1 OFFSET 1`);
const [[, region]] = await rows(
    `SELECT count(*) AS n, min(Region) FROM sales
     WHERE lower(City) = lower(${quoted(city)}) AND Region IS NOT NULL
     GROUP BY lower(Region) ORDER BY n DESC LIMIT 1`);
const node = `lower(City) = lower(${quoted(city)}) AND lower(Region) = lower(${quoted(region)})`;
await timed('click at depth 2, folded', [
    `SELECT min(Customer), count(*), min(OrderDate), max(OrderDate) FROM sales
     WHERE ${node} AND Customer IS NOT NULL GROUP BY lower(Customer) ORDER BY lower(Customer)`,
    `SELECT count(*), min(OrderDate), max(OrderDate) FROM sales
     WHERE ${node} AND Customer IS NULL`,
    `SELECT count(*) FROM sales WHERE ${node}`,
    `SELECT * FROM sales WHERE ${node} LIMIT 256`,
]);

const peak = readFileSync('/proc/self/status', 'utf8').match(/VmHWM:\s+(\d+)/);
console.log(`duckdb peak memory: ${Math.round(Number(peak[1]) / 1024)} MiB`);
