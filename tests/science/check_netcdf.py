"""Opens a NetCDF file of the logger host with xarray and checks it against the CSV files
written beside it: the same rows, times decoded to the same datetimes, the same values.

Usage: check_netcdf.py FILE.nc FIRST_TIME LAST_TIME CSV...
FIRST_TIME and LAST_TIME are the datetimes the earliest and latest rows must decode to.
"""
import csv
import math
import re
import sys

import numpy as np
import xarray as xr


def source_flag(csv_name):
    if csv_name.startswith("analog."):
        return 10
    if csv_name.startswith("Battery."):
        return 11
    return int(re.match(r"Port(\d)\.", csv_name).group(1))


def variable(flag, column):
    if flag == 10 or flag == 11:
        return column
    if column.startswith("#"):
        column = "number" + column[1:]
    return "port%d_%s" % (flag, re.sub(r"[^A-Za-z0-9_]", "_", column))


def as_datetime(text):
    return np.datetime64(text.rstrip("Z"), "ns")


def check(ds, path):
    name = path.rsplit("/", 1)[-1]
    flag = source_flag(name)
    with open(path, newline="") as f:
        rows = list(csv.reader(f))
    header, rows = rows[0], rows[1:]
    at = np.nonzero(ds["source"].values == flag)[0]
    assert len(at) == len(rows), "%s: %d rows in the CSV, %d in the NetCDF" % (name, len(rows), len(at))
    times = ds["time"].values[at]
    for column_index, column in enumerate(header):
        cells = [row[column_index] for row in rows]
        if column == "time":
            expected = np.array([as_datetime(c) for c in cells])
            assert (times == expected).all(), "%s: times differ" % name
        elif column in ("logger_id", "sequence"):
            values = ds[column].values[at]
            expected = np.array([int(c) if c else -1 for c in cells])
            got = np.where(np.isnan(values.astype(float)), -1, values).astype(int)
            assert (got == expected).all(), "%s: %s differs" % (name, column)
        elif column in ("line", "hex"):
            got = [str(v) for v in ds[variable(flag, column)].values[at]]
            assert got == cells, "%s: %s differs" % (name, column)
        else:
            values = ds[variable(flag, column)].values[at]
            for cell, value in zip(cells, values):
                if cell == "":
                    assert math.isnan(value), "%s: %s should be missing" % (name, column)
                else:
                    assert float(cell) == value, "%s: %s %s != %r" % (name, column, cell, value)
    return len(rows)


def main():
    nc, first, last, csvs = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    ds = xr.open_dataset(nc)
    assert np.issubdtype(ds["time"].dtype, np.datetime64), "time is not decoded to datetimes"
    assert ds["time"].values.min() == as_datetime(first), "first time %s" % ds["time"].values.min()
    assert ds["time"].values.max() == as_datetime(last), "last time %s" % ds["time"].values.max()
    assert ds.attrs["Conventions"] == "CF-1.10, ACDD-1.3"
    assert ds.attrs["featureType"] == "timeSeries"
    rows = sum(check(ds, path) for path in csvs)
    assert rows == ds.sizes["obs"], "%d CSV rows for %d NetCDF rows" % (rows, ds.sizes["obs"])
    print("checked %d rows of %s" % (rows, nc))


if __name__ == "__main__":
    main()
