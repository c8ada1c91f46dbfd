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

/* The main player form's actions: captions, then hints. */
#define IDS_ACTION_PLAY 2000
#define IDS_ACTION_PAUSE 2001
#define IDS_ACTION_PLAY_PAUSE 2002
#define IDS_ACTION_STOP 2003
#define IDS_ACTION_NEXT_TRACK 2004
#define IDS_ACTION_PREVIOUS_TRACK 2005
#define IDS_ACTION_STEP_FORWARD 2006
#define IDS_ACTION_STEP_BACKWARD 2007
#define IDS_ACTION_MY_MEDIA 2008
#define IDS_ACTION_OPEN 2009
#define IDS_ACTION_ADD_FILES 2010
#define IDS_ACTION_PREFERENCES 2011
#define IDS_ACTION_MM_CUSTOMIZE 2012
#define IDS_ACTION_CLOSE 2013
#define IDS_ACTION_SHUFFLE 2014
#define IDS_ACTION_REPEAT 2015
#define IDS_ACTION_MUTE 2016
#define IDS_ACTION_VOLUME_UP 2017
#define IDS_ACTION_VOLUME_DOWN 2018
#define IDS_ACTION_SAVE_PLAYLIST 2019
#define IDS_ACTION_FILE_PROPERTIES 2020
#define IDS_ACTION_WORK_OFFLINE 2021
#define IDS_ACTION_FAQ 2022
#define IDS_ACTION_HELP 2023
#define IDS_ACTION_HOME_PAGE 2024
#define IDS_ACTION_ABOUT 2025
#define IDS_ACTION_SHOW_FULL_PLAYER 2026
#define IDS_HINT_OPEN 2027
#define IDS_HINT_ADD_FILES 2028
#define IDS_HINT_PREFERENCES 2029
#define IDS_HINT_SAVE_PLAYLIST 2030
#define IDS_HINT_FILE_PROPERTIES 2031
#define IDS_HINT_ABOUT 2032

/* The main pop-up menu's submenus. */
#define IDS_MENU_VOLUME 2033
#define IDS_MENU_HELP 2034

/* The open and save dialogs. */
#define IDS_OPEN_ALL_SUPPORTED 2035
#define IDS_OPEN_ALL_FILES 2036
#define IDS_OPEN_FOLDER_BOX 2037
#define IDS_SAVE_PLAYLIST_FILTER 2038

/* The About window. */
#define IDS_ABOUT_CAPTION 2039
#define IDS_ABOUT_VERSION 2040
#define IDS_ABOUT_SKIN 2041
#define IDS_ABOUT_CREDITS 2042

/* The expanded player's stand-in. */
#define IDS_STANDIN_PLAYING 2100
#define IDS_STANDIN_PAUSED 2101
#define IDS_STANDIN_STOPPED 2102
#define IDS_STANDIN_MENU_HINT 2103
/* The player controls: the balance bar's hint. */
#define IDS_BALANCE_CENTRE 1300
#define IDS_BALANCE_LEFT 1301
#define IDS_BALANCE_RIGHT 1302
