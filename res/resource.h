// Resource, control and command ids, shared by the resource script and the code.
#pragma once

#define IDD_ABOUTBOX       100
#define IDS_ABOUTBOX       101
#define IDD_UPGRADE_DIALOG 102
#define IDR_MAINFRAME      128
#define IDB_BACKGROUND     129

#define IDC_ATA_MODE       1001
#define IDC_UPGRADE_STATUS 1002
#define IDC_OS_NAME        1003

// A system-menu command: Windows keeps the low four bits of such ids for
// itself, and ids from 0xF000 up are its own commands.
#define IDM_ABOUTBOX       0x0010
