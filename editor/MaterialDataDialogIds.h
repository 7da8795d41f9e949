/* Template and control ids of the material data dialog, shared by its
   resource script and its code. OK and Cancel are the platform's IDOK (1) and
   IDCANCEL (2). Preprocessor definitions only: the resource compiler reads
   this file too. */
#pragma once

#define IDD_MATERIAL_DATA 136

#define IDC_DATA_MESSAGE_LINE 1001
#define IDC_DATA_NAME 1003
#define IDC_DATA_DENSITY 1004
#define IDC_DATA_YOUNG_MODULUS 1005
#define IDC_DATA_POISSON_RATIO 1006
#define IDC_DATA_YIELD_STRENGTH 1007
#define IDC_DATA_TENSILE_STRENGTH 1008
#define IDC_DATA_THERMAL_CONDUCTIVITY 1009
#define IDC_DATA_LINEAR_EXPANSION 1010
#define IDC_DATA_SPECIFIC_HEAT 1011
