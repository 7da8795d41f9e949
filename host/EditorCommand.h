// The host command `me`: find the material file along the host's search path
// (or offer to start a new one) and let the user edit its materials.
#pragma once

// Called by the host on its user-interface thread; keeps nothing between runs.
// The editor is modal to the host's main window. Called again while it is
// open, it opens nothing and brings the open editor to the front.
void runMaterialEditor();
