# Subsystem 5: shortcuts, help, the About box and the home page.
velmora_subsystem(desktop)
