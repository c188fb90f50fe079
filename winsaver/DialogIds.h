// The settings dialog's resource numbers, shared by its template
// (wendrix-scr.rc) and its code; plain macros, as the resource compiler reads them too.
#pragma once

#define WENDRIX_SETTINGS_DIALOG 100
#define WENDRIX_SCHEME 101  // the controls, in the order of their registry values
#define WENDRIX_RIPPLES 102
#define WENDRIX_TESSELATION 103
#define WENDRIX_SPEED 104
#define WENDRIX_FREQUENCY 105
#define WENDRIX_LETTERBOX 106
#define WENDRIX_SPOTLIGHT 107
#define WENDRIX_FRAMERATE 108
#define WENDRIX_RIPPLES_LABEL 112  // the edit fields' labels, which name their ranges
#define WENDRIX_TESSELATION_LABEL 113
#define WENDRIX_SPEED_LABEL 114
#define WENDRIX_FREQUENCY_LABEL 115
#define WENDRIX_LETTERBOX_LABEL 116
#define WENDRIX_PRESENT 117
