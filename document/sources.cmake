# Subsystem 2: the decision tree document.
velmora_subsystem(document)
