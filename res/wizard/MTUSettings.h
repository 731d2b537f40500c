// The MTU and MSS page: template and controls.
#pragma once

#define IDD_MTU_SETTINGS 131
#define IDC_MTU_EXPLANATION 1013
#define IDC_MSS_EXPLANATION 1014
#define IDC_MTU_RECOMMENDED 1015
#define IDC_MSS_RECOMMENDED 1016
#define IDC_MTU_BOX 1017
#define IDC_MSS_BOX 1018
