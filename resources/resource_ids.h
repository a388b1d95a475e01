/* Ids shared by kivora.rc and the code; plain #defines so that windres reads them too. */
#ifndef KIVORA_RESOURCE_IDS_H
#define KIVORA_RESOURCE_IDS_H

/* Dialog templates. */
#define IDD_MAIN 11
#define IDD_CHANGE 12
#define IDD_SCANCODE_ENTRY 20
#define IDD_INVESTIGATION 13
#define IDD_ABOUT 15
#define IDD_SET_LIST 16 /* load and delete */
#define IDD_CHANGED_KEYS 17
#define IDD_SAVE_SET 19
#define IDD_WEB_ADDRESS 21

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
/* "EndMenu". */
#define IDM_END 77

/* Key buttons are slot + 200: 201..309 on the keyboard picture. */
#define IDC_TYPED_SCANCODE 349
#define IDC_DISABLE 350

/* The default button of the entry, investigation, list and about dialogs. */
#define IDC_OK 102

/* Direct scancode entry. */
#define IDC_ENTRY_PROMPT 134
#define IDC_ENTRY_EDIT 154

/* Load, delete and save. */
#define IDC_SET_LIST 18
#define IDC_SET_HEADING 131
#define IDC_LOAD 104
#define IDC_DELETE 106
#define IDC_SAVE 105
#define IDC_SET_NAME 108

/* Key investigation. */
#define IDC_CLEAR_KEY 103
#define IDC_CHANGE_RAW 107
#define IDC_RAW_LIMIT 135
#define IDC_SCANCODE_TEXT 151
#define IDC_TOP_LABEL_TEXT 152
#define IDC_BOTTOM_LABEL_TEXT 153

/* Changed-key list. */
#define IDC_CHANGED_KEYS 18

/* About box. */
#define IDC_HOME_PAGE 101
#define IDC_ABOUT_ICON 121

/* The home page's address, where no browser may be started for it. */
#define IDC_WEB_ADDRESS 155

#endif
