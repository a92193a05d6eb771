"""Times brenmark-batch on many files in /dev/shm, interleaved with its baselines.

Every round measures, on the same freshly named files:
  loop     the C loop of rename(2) (bench_cli_rename_loop) giving each file the prefix
  loop+stat  the same loop checking each file with stat(2) first, as the list's add rule does
  run      brenmark-batch --list through the shipped insert-text module, same prefix
  dry      brenmark-batch --dry-run --list, output to /dev/null
  rename   rename -n -d 's/^/new_/' with the names on standard input, output to /dev/null
Wall-clock seconds of the whole process, best of the rounds.

The rounds run twice. First as they come: each command starts right after
the previous step, so the dry run starts right after the files were renamed
back, and `rename -n` right after the dry run's process ended. Then settled:
before every command a short process takes and frees 64 MB. Where fresh
memory pages are dear (virtual machines that give freed memory back to
their host) a process that has just ended leaves cheap pages to the next
one, so the first pass favours whichever command follows a large process;
the settled pass gives every command the same start.
"""
import os
import resource
import shutil
import struct
import subprocess
import sys
import tempfile
import time

build, count, rounds = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
PREFIX = "new_"


def template_bytes():
    # insert_text options: layout version 1, from the start, offset 0, the text.
    options = bytearray(264)
    options[0] = 1
    options[8:8 + len(PREFIX)] = PREFIX.encode()

    def text(value):
        data = value.encode() + b"\0"
        return struct.pack("<i", len(data)) + data

    return (struct.pack("<i", 1) + text("insert_text.so") + text("Вставка")
            + struct.pack("<i", len(options)) + bytes(options))


cpu = {}


settled = False


def settle():
    subprocess.run([sys.executable, "-c", "bytearray(64 << 20)"], check=True)


def timed(command, stdin=None, stdout=subprocess.DEVNULL, key=None):
    # Wall time of the whole process; its CPU time (user + system) is kept
    # beside it, since the machine may be shared with other work.
    if settled:
        settle()
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL, check=False)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    used = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    if key is not None:
        cpu[key] = min(cpu.get(key, float("inf")), used)
    return wall


work = tempfile.mkdtemp(prefix="brenmark-bench-cli-", dir="/dev/shm")
try:
    program = os.path.join(work, "program")
    for folder in ("Plugins", "Templates", "Languages"):
        os.makedirs(os.path.join(program, folder))
    shutil.copy(os.path.join(build, "bin", "brenmark-batch"), program)
    shutil.copy(os.path.join(build, "bin", "Plugins", "insert_text.so"), os.path.join(program, "Plugins"))
    with open(os.path.join(program, "Templates", "prefix.ptp"), "wb") as f:
        f.write(template_bytes())
    batch = [os.path.join(program, "brenmark-batch"), "--template", "prefix"]
    loop = os.path.join(build, "bench", "bench_cli_rename_loop")

    files = os.path.join(work, "files")
    os.makedirs(files)
    names = ["photo_%06d.jpg" % i for i in range(count)]
    for name in names:
        open(os.path.join(files, name), "wb").close()
    listing = os.path.join(work, "list.txt")
    with open(listing, "w") as f:
        f.write("".join(os.path.join(files, name) + "\n" for name in names))

    def restore():
        for name in names:
            renamed = os.path.join(files, PREFIX + name)
            if os.path.exists(renamed):
                os.rename(renamed, os.path.join(files, name))
        left = sum(1 for name in names if not os.path.exists(os.path.join(files, name)))
        assert left == 0, "%d files missing" % left

    keys = ("loop", "loop+stat", "run", "dry", "rename")

    def measure():
        cpu.clear()
        best = dict((key, float("inf")) for key in keys)
        for _ in range(rounds):
            restore()
            best["loop"] = min(best["loop"], timed([loop, listing, PREFIX], key="loop"))
            assert os.path.exists(os.path.join(files, PREFIX + names[-1]))
            restore()
            best["loop+stat"] = min(best["loop+stat"], timed([loop, "--stat", listing, PREFIX], key="loop+stat"))
            restore()
            best["run"] = min(best["run"], timed(batch + ["--list", listing], key="run"))
            assert os.path.exists(os.path.join(files, PREFIX + names[-1])), "the run renamed nothing"
            restore()
            best["dry"] = min(best["dry"], timed(batch + ["--dry-run", "--list", listing], key="dry"))
            with open(listing, "rb") as names_in:
                best["rename"] = min(best["rename"], timed(["rename", "-n", "-d", "s/^/%s/" % PREFIX], stdin=names_in, key="rename"))
        return best

    for settled in (False, True):
        best = measure()
        print("%s: files: %d, best of %d rounds, seconds: wall (CPU); load average %.2f %.2f %.2f"
              % (("settled" if settled else "as they come", count, rounds) + os.getloadavg()))
        for key in keys:
            print("  %-9s %.3f (%.3f)" % (key, best[key], cpu[key]))
        print("  run / rename(2) loop:      %.2f (goal <= 1.25)" % (best["run"] / best["loop"]))
        print("  run / stat+rename(2) loop: %.2f" % (best["run"] / best["loop+stat"]))
        print("  rename -n / dry run:       %.1fx (goal >= 5)" % (best["rename"] / best["dry"]))
        print("  CPU: run / loop %.2f, run / loop+stat %.2f, rename -n / dry %.1fx"
              % (cpu["run"] / cpu["loop"], cpu["run"] / cpu["loop+stat"], cpu["rename"] / cpu["dry"]))
finally:
    shutil.rmtree(work, ignore_errors=True)
