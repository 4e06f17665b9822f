// Identifiers of the loader tests' module resources.
#ifndef CESIM_TESTMODULE_IDS_H
#define CESIM_TESTMODULE_IDS_H

#define IDS_STORED_TERMINATOR 1
#define IDS_NO_TERMINATOR 2
#define IDS_LONG 3
#define IDS_SECOND_BLOCK 17
#define IDS_ENGLISH_ONLY 20
#define IDD_SAMPLE 101
#define IDC_LABEL 1001
#define IDR_RAW 300
#define IDS_TOOLBAR_TEXTS 60
#define IDM_SAMPLE 400
#define IDC_OPEN 401
#define IDC_EXIT 402
#define IDC_FIRST 403
#define IDC_SECOND 404
#define IDC_ABOUT 405
#define IDC_ONLY 406

#endif
