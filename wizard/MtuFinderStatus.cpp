#include "wizard/MtuFinderStatus.h"

#include "wizard/PageTexts.h"

namespace velo {

namespace {

TextId Said(MtuSearchEnd end) {
  switch (end) {
    case kMtuFound:
      return TextId::FindMtuFound;
    case kMtuNoAnswer:
      return TextId::FindMtuNoAnswer;
    case kMtuEveryAnswers:
      return TextId::FindMtuEveryAnswers;
    case kMtuCannotPing:
      return TextId::FindMtuCannotPing;
    case kMtuHostUnknown:
      return TextId::FindMtuUnknownHost;
    default:
      return TextId::FindMtuStopped;
  }
}

}  // namespace

std::string MtuSearchProgress(const Texts& texts, int32_t size) {
  return FillPattern(texts.Load(TextId::FindMtuTrying), std::to_string(size));
}

std::string MtuSearchOutcome(const Texts& texts, const std::string& host,
                             const MtuSearchResult& result) {
  if (host.empty()) return texts.Load(TextId::FindMtuNoHost);
  return FillPattern(texts.Load(Said(result.end)), host,
                     std::to_string(result.mtu));
}

}  // namespace velo
