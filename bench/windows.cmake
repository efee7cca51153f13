# Timing programs for the Windows programs, run under Wine.
