#pragma once

// Ids shared by the resource script and the code that loads the resources.
#define IDI_ZENTARIUM 101
#define IDS_TITLE 103
#define IDR_SKIN_XML 100
