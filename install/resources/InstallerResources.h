// Resource numbers of the installer program.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
