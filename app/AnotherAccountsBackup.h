// The question Set asks while another account holds the backup of the
// original settings: whose it is and, where the note says, when it was
// taken.
#pragma once

#include <string>

#include "lang/Texts.h"
#include "store/BackupHolder.h"

namespace velo {

std::string AnotherAccountsBackupQuestion(const Texts& texts,
                                          const BackupHolder& holder);

}  // namespace velo
