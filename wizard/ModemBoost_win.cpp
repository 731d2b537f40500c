#include "wizard/ModemBoost.h"

#include "res/wizard/ModemBoost.h"

namespace velo {

namespace {

// The same title in both families: the page has no step number. Only the
// page itself is skinned; its picture is part of the template.
const PageDescription kPage = {IDD_MODEM_BOOST,
                               kModemBoostPage,
                               {TextId::ModemBoostTitle, TextId::ModemBoostTitle},
                               {Plain(IDC_MODEM_DESCRIPTION, TextId::ModemDescription)},
                               {},
                               {},
                               {}};

}  // namespace

CModemBoost::CModemBoost(CMyPropertySheet& sheet) : CWizardPage(sheet, kPage) {}

}  // namespace velo
