// The modem boost page: template, controls and its picture.
#pragma once

#define IDD_MODEM_BOOST 139
#define IDC_MODEM_PICTURE 1000
#define IDC_MODEM_DESCRIPTION 1003
