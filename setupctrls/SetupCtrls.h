// The component module of the settings program: the board view, the settings
// panels and drawings, and the setup supporter.
#pragma once
