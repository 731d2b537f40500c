#include "tuning/ClosingMessage.h"

namespace velo {

std::string BoostedMessage(const Texts& texts, const ApplyOutcome& outcome) {
  std::string message = texts.Load(TextId::Boosted);
  if (outcome.mtuNotRead)
    message += "\n" + texts.Load(TextId::MtuNotRead);
  else if (outcome.mtuLeftAlone)
    message += "\n" + texts.Load(TextId::MtuLeftAlone);
  if (outcome.mtuCappedByDialUp)
    message += "\n" + texts.Load(TextId::DialUpMtuCeiling);
  return message;
}

}  // namespace velo
