// Resource and control ids, shared by the .rc files and the code.
#pragma once
#define IDI_VELOCINE 128
#define IDS_ABOUTBOX 101
#define IDS_WIZARD_CAPTION 103
