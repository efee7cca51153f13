# Subsystem 4: the preview run and the standalone executable.
velmora_subsystem(distribution)
