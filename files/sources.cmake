# Subsystem 3: document files. Linux (the command-line tool and the host
# tests) reads and writes files through posix/, Windows through win32/.
velmora_subsystem(files)
