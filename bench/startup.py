#!/usr/bin/env python3
"""Start-up of Dravo on the largest valid group against a bare Qt dialog.

Runs both programs headless several times in one invocation, until the main
window is shown and filled, and prints the ratios of the median wall time and
of the peak memory (maximum resident set size).

    bench/startup.py BUILD_DIR [RUNS]
"""
import os
import statistics
import sys
import tempfile
import time


def run_once(argv, env):
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.execve(argv[0], argv, env)
    _, status, usage = os.wait4(pid, 0)
    elapsed = time.perf_counter() - start
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
        sys.exit(f"{argv[0]} failed with status {status}")
    return elapsed, usage.ru_maxrss  # kilobytes


def measure(argv, env, runs):
    run_once(argv, env)  # warm the file cache
    samples = [run_once(argv, env) for _ in range(runs)]
    return statistics.median(s[0] for s in samples), max(s[1] for s in samples)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    with tempfile.TemporaryDirectory() as scratch:
        group = os.path.join(scratch, "Groep.k09")
        run_once([os.path.join(build, "bench", "make_largest_group"), group], dict(os.environ))
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=scratch,
                   XDG_CONFIG_HOME=os.path.join(scratch, "config"),
                   XDG_DATA_HOME=os.path.join(scratch, "data"),
                   DRAVO_QUIT_WHEN_SHOWN="1")
        dravo_time, dravo_rss = measure([os.path.join(build, "dravo"), group], env, runs)
        bare_time, bare_rss = measure([os.path.join(build, "bench", "bare_dialog")], env, runs)
    print(f"runs each:          {runs}")
    print(f"dravo start-up:     {dravo_time * 1000:7.1f} ms   peak {dravo_rss / 1024:6.1f} MiB")
    print(f"bare Qt dialog:     {bare_time * 1000:7.1f} ms   peak {bare_rss / 1024:6.1f} MiB")
    print(f"wall time ratio:    {dravo_time / bare_time:5.2f}  (target 1.5)")
    print(f"peak memory ratio:  {dravo_rss / bare_rss:5.2f}  (target 1.3)")


if __name__ == "__main__":
    main()
