/* Template and control ids of the material list dialog, shared by its
   resource script and its code. OK and Cancel are the platform's IDOK (1) and
   IDCANCEL (2). Preprocessor definitions only: the resource compiler reads
   this file too. */
#pragma once

#define IDD_MATERIAL_LIST 129

#define IDC_LIST_INSERT 3
#define IDC_LIST_EDIT 4
#define IDC_LIST_DELETE 5
#define IDC_LIST_DELETE_ALL 6
#define IDC_LIST_MATERIALS 1000
#define IDC_LIST_MESSAGE_LINE 1001
#define IDC_LIST_FILE_PATH 1004
