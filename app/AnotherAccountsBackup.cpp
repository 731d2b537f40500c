#include "app/AnotherAccountsBackup.h"

#include "wizard/PageTexts.h"

namespace velo {

std::string AnotherAccountsBackupQuestion(const Texts& texts,
                                          const BackupHolder& holder) {
  // A note without its time says nothing of when, rather than "( )".
  if (holder.taken.empty())
    return FillPattern(texts.Load(TextId::BackupOfAnotherAccountUntimedQuestion),
                       holder.account);
  return FillPattern(texts.Load(TextId::BackupOfAnotherAccountQuestion),
                     holder.account, holder.taken);
}

}  // namespace velo
