#pragma once

// Ids shared by the resource script and the code that loads the resources.
#define IDI_ZENTARIUM 101
#define IDS_TITLE 103
#define IDR_SKIN_XML 100

// Images, all of resource type "PNG"; the service QR code holds JPEG data under that type.
#define IDB_LOGO 102
#define IDB_HEADSET 104
#define IDB_MINIMISE 105
#define IDB_CLOSE 106
#define IDB_ERROR_D3D 107
#define IDB_ERROR_MSVC 108
#define IDB_ERROR_QT5CORE 109
#define IDB_ERROR_XINPUT 110
#define IDB_ERROR_MISSING_DLL 111
#define IDB_FOUR_SQUARES 112
#define IDB_BACK_ARROW 113
#define IDB_CHECK_BLUE 114
#define IDB_CHECK_GREEN 115
#define IDB_CROSS_RED 116
#define IDB_DISK_RED 117
#define IDB_DLL_FILE 118
#define IDB_WARNING 119
#define IDB_MONITOR_CROSS 120
#define IDB_WASTE_BIN 121
#define IDB_ROCKET 122
#define IDB_SERVICE_QR 129
