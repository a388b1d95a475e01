/* Ids shared by kivora.rc and the code; plain #defines so that windres reads them too. */
#ifndef KIVORA_RESOURCE_IDS_H
#define KIVORA_RESOURCE_IDS_H

/* Dialog templates. */
#define IDD_MAIN 11
#define IDD_CHANGE 12
#define IDD_SCANCODE_ENTRY 20

/* Main window menu "MenuDialog". */
#define IDM_REGISTER 50
#define IDM_RESET 51
#define IDM_LOAD_SET 52
#define IDM_SAVE_SET 53
#define IDM_DELETE_SET 54
#define IDM_INVESTIGATE 55
#define IDM_CHANGED_KEY_LIST 56
#define IDM_ADMIN_MODE 60
#define IDM_USER_MODE 61
#define IDM_HELP 71
#define IDM_ABOUT 72
#define IDM_EXIT 79
/* "ChangeDialog" and "CancelMenu". */
#define IDM_CANCEL 78

/* Key buttons are slot + 200: 201..309 on the keyboard picture. */
#define IDC_FIRST_KEY 201
#define IDC_LAST_KEY 309
#define IDC_TYPED_SCANCODE 349
#define IDC_DISABLE 350

/* Direct scancode entry. */
#define IDC_ENTRY_OK 102
#define IDC_ENTRY_PROMPT 134
#define IDC_ENTRY_EDIT 154

#endif
