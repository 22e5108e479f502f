// Identifiers of the program's resources: dialog templates, controls,
// strings, icon and system-menu command.
#pragma once

#define IDR_MAINFRAME 128

#define IDD_ABOUTBOX 100
#define IDD_TABULOR_DIALOG 102
#define IDD_SELECT_PATCH 163

#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 0x0010

// Main dialog.
#define IDC_CHORD_NAME 1000
#define IDC_PLAY 1007
#define IDC_FINGER1 1008
#define IDC_FINGER2 1009
#define IDC_FINGER3 1010
#define IDC_FINGER4 1011
#define IDC_FINGER5 1012
#define IDC_FINGER6 1013
#define IDC_POSITION1 1014
#define IDC_POSITION2 1015
#define IDC_POSITION3 1016
#define IDC_POSITION4 1017
#define IDC_ABOUT 1018
#define IDC_CHORD_NAMES 1020
#define IDC_RANDOM 1021
#define IDC_VOLUME 1022
#define IDC_PATCH 1023
#define IDC_MUTE 1024
#define IDC_HELP_BUTTON 1031

// About dialog.
#define IDC_WEBSITE 1007

// Select Patch dialog.
#define IDC_PATCH_LIST 1025
#define IDC_PATCH_PLAY 1026
#define IDC_PATCH_MUTE 1018

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
