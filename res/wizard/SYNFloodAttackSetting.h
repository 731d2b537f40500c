// The SYN flood protection page: template and controls.
#pragma once

#define IDD_SYN_FLOOD_ATTACK_SETTING 134
#define IDC_SYN_EXPLANATION 1045
#define IDC_SYN_LEVELS 1046
#define IDC_SYN_QUESTION 1047
#define IDC_SYN_LEVEL_BOX 1048
