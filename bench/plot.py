#!/usr/bin/env python3
"""Turns the JSON output of the scaling benchmarks into a Markdown table and a PNG plot.

    orvane_bench --benchmark_filter=Scaling --benchmark_repetitions=3 \
        --benchmark_out=scaling.json --benchmark_out_format=json
    bench/plot.py scaling.json docs/performance.png

Needs only Python's standard library and gnuplot (Debian's gnuplot-nox) for the PNG.
"""
import json
import subprocess
import sys
import tempfile


def rates(path):
    """{block: {records: (MB/s, ns per record)}}, from the fastest repetition of each size: on a
    shared machine it is the one least disturbed by other work."""
    with open(path, encoding="utf-8") as file:
        runs = json.load(file)["benchmarks"]
    table = {}
    for run in runs:
        if run.get("run_type", "iteration") != "iteration":
            continue
        _, block, size = run["run_name"].split("/")
        megabytes = run["bytes_per_second"] / 1e6
        nanoseconds = 1e9 / run["records"] if run["records"] else 0.0
        best = table.setdefault(block, {}).get(int(size))
        if best is None or megabytes > best[0]:
            table[block][int(size)] = (megabytes, nanoseconds)
    return table


def markdown(table):
    blocks = sorted(table)
    lines = ["| records | " + " | ".join(f"{b} MB/s | {b} ns/record" for b in blocks) + " |",
             "|---:|" + "---:|---:|" * len(blocks)]
    for size in sorted({size for sizes in table.values() for size in sizes}):
        cells = []
        for block in blocks:
            if size not in table[block]:  # a block measured at some sizes only
                cells += ["", ""]
                continue
            megabytes, nanoseconds = table[block][size]
            cells += [f"{megabytes:.0f}", f"{nanoseconds:.0f}"]
        lines.append(f"| {size:,} | " + " | ".join(cells) + " |")
    return "\n".join(lines)


def plot(table, png):
    with tempfile.TemporaryDirectory() as work:
        commands = [
            "set terminal pngcairo size 800,480 font 'Sans,10'",
            f"set output '{png}'",
            "set logscale x",
            "set xrange [700:1.4e6]",
            "set xtics ('1,000' 1e3, '10,000' 1e4, '100,000' 1e5, '1,000,000' 1e6)",
            "set xlabel 'records in the block'",
            "set ylabel 'MB/s (maxes and data call)'",
            "set yrange [0:*]",
            "set grid",
            "set key bottom right",
        ]
        series = []
        for block in sorted(table):
            data = f"{work}/{block}.dat"
            with open(data, "w", encoding="utf-8") as file:
                for size, (megabytes, _) in sorted(table[block].items()):
                    file.write(f"{size} {megabytes}\n")
            series.append(f"'{data}' using 1:2 with linespoints title '{block}'")
        commands.append("plot " + ", ".join(series))
        subprocess.run(["gnuplot"], input="\n".join(commands), text=True, check=True)


def main():
    if len(sys.argv) != 3:
        sys.exit(f"usage: {sys.argv[0]} BENCHMARK_JSON OUTPUT_PNG")
    table = rates(sys.argv[1])
    print(markdown(table))
    plot(table, sys.argv[2])


if __name__ == "__main__":
    main()
