#include "wizard/MtuFinderStatus.h"

#include "wizard/PageTexts.h"

namespace velo {

namespace {

// "255.255.255.255".
const size_t kLongestShownHost = 15;

// `host` as the status names it: a name longer than the widest address is
// cut there, never inside a character of more than one byte (a host name is
// ASCII; whatever else was typed is left out whole).
std::string ShownHost(const std::string& host) {
  if (host.size() <= kLongestShownHost) return host;
  size_t cut = kLongestShownHost;
  while (cut > 0 && static_cast<unsigned char>(host[cut - 1]) >= 0x80) --cut;
  return host.substr(0, cut) + "...";
}

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
    case kMtuPathStopped:
      return TextId::FindMtuPathStopped;
    case kMtuTooLong:
      return TextId::FindMtuTooLong;
    case kMtuNoThread:
      return TextId::FindMtuNoThread;
    case kMtuOwnNetwork:
      return TextId::FindMtuOwnNetwork;
    default:
      return TextId::FindMtuStopped;
  }
}

// What ended a search that stopped answering.
TextId Why(ProbeAnswer stoppedBy) {
  switch (stoppedBy) {
    case kProbeNoAnswer:
      return TextId::FindMtuWhySilent;
    case kProbeUnreachable:
      return TextId::FindMtuWhyUnreachable;
    case kProbeTtlExpired:
      return TextId::FindMtuWhyTtl;
    case kProbeNoResources:
      return TextId::FindMtuWhyNoResources;
    case kProbeTooBig:
      return TextId::FindMtuWhyChanged;
    default:
      return TextId::FindMtuWhyFailed;
  }
}

}  // namespace

std::string MtuSearchProgress(const Texts& texts, int32_t size) {
  return FillPattern(texts.Load(TextId::FindMtuTrying), std::to_string(size));
}

std::string MtuSearchOutcome(const Texts& texts, const std::string& host,
                             const MtuSearchResult& result) {
  if (host.empty()) return texts.Load(TextId::FindMtuNoHost);
  // Found: the MTU; else how far the search got.
  const int32_t size = result.end == kMtuFound ? result.mtu : result.fits;
  const TextId said = CappedByOwnMtu(result) ? TextId::FindMtuFoundOwnMtu
                                             : Said(result.end);
  return FillPattern(texts.Load(said), ShownHost(host), std::to_string(size),
                     result.end == kMtuPathStopped
                         ? texts.Load(Why(result.stoppedBy))
                         : std::string());
}

std::string RoundTripMeasured(const Texts& texts,
                              const MeasuredRoundTrip& trip) {
  return FillPattern(texts.Load(TextId::LineRoundTrip), ShownHost(trip.host),
                     std::to_string(trip.ms));
}

}  // namespace velo
