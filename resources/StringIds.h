/* The identifiers of the program's resource strings (Strings.rc), shared by both binaries. The resource compiler
   reads this file too, so it holds nothing but #define lines. */
#pragma once

/* Message dialogs: captions by kind, button captions. */
#define IDS_CAPTION_WARNING 1000
#define IDS_CAPTION_ERROR 1001
#define IDS_CAPTION_INFORMATION 1002
#define IDS_CAPTION_CONFIRM 1003
#define IDS_BUTTON_YES 1010
#define IDS_BUTTON_NO 1011
#define IDS_BUTTON_OK 1012
#define IDS_BUTTON_CANCEL 1013
#define IDS_BUTTON_ABORT 1014
#define IDS_BUTTON_RETRY 1015
#define IDS_BUTTON_IGNORE 1016
#define IDS_BUTTON_ALL 1017
#define IDS_BUTTON_NO_TO_ALL 1018
#define IDS_BUTTON_YES_TO_ALL 1019
#define IDS_BUTTON_HELP 1020
#define IDS_SHOW_NEXT_TIME 1030

/* The open dialog's extras. */
#define IDS_FILE_NAME_LABEL 1040
#define IDS_URL_LABEL 1041

/* Failures. */
#define IDS_UNKNOWN_FAILURE 1050

/* The player controls: the balance bar's hint. */
#define IDS_BALANCE_CENTRE 1300
#define IDS_BALANCE_LEFT 1301
#define IDS_BALANCE_RIGHT 1302
