#include <gtest/gtest.h>

#include "app/WindowsVersion.h"
#include "support/MapTexts.h"
#include "wizard/MtuFinderStatus.h"
#include "wizard/PageTexts.h"
#include "tuning/Recommendations.h"

namespace velo {
namespace {

TEST(PageTexts, CurrentValuePhrases) {
  MapTexts english;
  EXPECT_EQ("MTU was set to 1500 bytes.",
            WithCurrentValue(english, "MTU", true, 1500, &kBytes));
  EXPECT_EQ("MTU isn't set.", WithCurrentValue(english, "MTU", false, 1500, &kBytes));
  EXPECT_EQ("HTTP 1.0 value was set to 4.",
            WithCurrentValue(english, "HTTP 1.0 value", true, 4));
  // The value is shown as the unsigned number the registry holds.
  EXPECT_EQ("RWIN was set to 4294967295 bytes.",
            WithCurrentValue(english, "RWIN", true, -1, &kBytes));

  MapTexts french;
  french.texts = {{"2", "valait"}, {"4", "octets"}, {"3", "n'existe pas."}};
  EXPECT_EQ("MTU valait 576 octets.",
            WithCurrentValue(french, "MTU", true, 576, &kBytes));
  EXPECT_EQ("MTU n'existe pas.", WithCurrentValue(french, "MTU", false, 0, &kBytes));
}

// The MTU step names Windows' fixed MTU as such, never as a value set.
TEST(PageTexts, ConnectionMtuPhrases) {
  MapTexts english;
  EXPECT_EQ("MTU was set to 1400 bytes.",
            WithConnectionMtu(english, "MTU", kConnectionMtuSet, 1400));
  EXPECT_EQ("MTU is Windows' fixed 1500 bytes.",
            WithConnectionMtu(english, "MTU", kConnectionMtuFixedByWindows, 1500));
  EXPECT_EQ("MTU isn't set.",
            WithConnectionMtu(english, "MTU", kConnectionMtuNotFound, 0));
  MapTexts german;
  german.texts = {{"FixedMtuSentence", "%1 ist der feste Wert von Windows: %2 %3."},
                  {"4", "Byte"}};
  EXPECT_EQ("MTU ist der feste Wert von Windows: 1500 Byte.",
            WithConnectionMtu(german, "MTU", kConnectionMtuFixedByWindows, 1500));
}

TEST(PageTexts, SwitchStatesAndOptions) {
  MapTexts english;
  EXPECT_EQ("ICMP is currently enabled.",
            WithSwitchState(english, "ICMP", true, 1));
  EXPECT_EQ("ICMP is currently enabled.",
            WithSwitchState(english, "ICMP", true, 2))
      << "any value but 0 is enabled";
  EXPECT_EQ("ICMP is currently disabled.",
            WithSwitchState(english, "ICMP", true, 0));
  EXPECT_EQ("ICMP isn't set.", WithSwitchState(english, "ICMP", false, 1));
  EXPECT_EQ("This value was set to option 0.",
            WithCurrentOption(english, "This value", true, 0));
  EXPECT_EQ("This value isn't set.",
            WithCurrentOption(english, "This value", false, 2));

  MapTexts french;
  french.texts = {{"5", "est inactif."}, {"6", "est actif."},
                  {"8", "valait l'option"}};
  EXPECT_EQ("ICMP est actif.", WithSwitchState(french, "ICMP", true, 7));
  EXPECT_EQ("ICMP est inactif.", WithSwitchState(french, "ICMP", true, 0));
  EXPECT_EQ("Niveau valait l'option 1.",
            WithCurrentOption(french, "Niveau", true, 1));
}

// A file's sentence patterns put the parts where its grammar wants them.
TEST(PageTexts, SentencePatternsOfAFile) {
  MapTexts german;
  german.texts = {{"4", "Bytes"}, {"50", "%1 betr\xE4gt zurzeit %2 %3."},
                  {"51", "%1 betr\xE4gt zurzeit %2."},
                  {"52", "%1 steht auf Stufe %2."},
                  {"53", "%1 ist nicht eingestellt."},
                  {"54", "%1 ist aktiviert."}, {"55", "%1 ist deaktiviert."}};
  EXPECT_EQ("Die MTU betr\xE4gt zurzeit 1500 Bytes.",
            WithCurrentValue(german, "Die MTU", true, 1500, &kBytes));
  EXPECT_EQ("Der Wert betr\xE4gt zurzeit 4.",
            WithCurrentValue(german, "Der Wert", true, 4));
  EXPECT_EQ("Wert steht auf Stufe 2.", WithCurrentOption(german, "Wert", true, 2));
  EXPECT_EQ("MTU ist nicht eingestellt.",
            WithCurrentValue(german, "MTU", false, 0, &kBytes));
  EXPECT_EQ("ICMP ist aktiviert.", WithSwitchState(german, "ICMP", true, 1));
  EXPECT_EQ("ICMP ist deaktiviert.", WithSwitchState(german, "ICMP", true, 0));

  // The value before the subject, and no blank where the language has none.
  MapTexts japanese;
  japanese.texts = {{"50", "%2 %3: %1"}, {"54", "%1\x82\xCD"}};
  EXPECT_EQ("1500 bytes: MTU", WithCurrentValue(japanese, "MTU", true, 1500, &kBytes));
  EXPECT_EQ("MTU\x82\xCD", WithSwitchState(japanese, "MTU", true, 1));
}

// English.ini's patterns give, byte for byte, what the English words joined
// give; and a word's own "%" stays a "%" in the sentence joined from it.
TEST(PageTexts, WordsWithoutAPatternAreJoinedAsEver) {
  MapTexts joined, english;
  for (TextId pattern : {TextId::ValueWithUnitSentence, TextId::ValueSentence,
                         TextId::OptionSentence, TextId::NotSetSentence,
                         TextId::EnabledSentence, TextId::DisabledSentence})
    english.texts[EnglishTextOf(pattern).key] = EnglishTextOf(pattern).english;
  for (const Texts* texts : {&joined, &english}) {
    EXPECT_EQ("RWIN was set to 4294967295 bytes.",
              WithCurrentValue(*texts, "RWIN", true, -1, &kBytes));
    EXPECT_EQ("HTTP 1.0 value was set to 4.",
              WithCurrentValue(*texts, "HTTP 1.0 value", true, 4));
    EXPECT_EQ("This value was set to option 2.",
              WithCurrentOption(*texts, "This value", true, 2));
    EXPECT_EQ("MTU isn't set.", WithCurrentValue(*texts, "MTU", false, 0));
    EXPECT_EQ("ICMP is currently enabled.",
              WithSwitchState(*texts, "ICMP", true, 1));
    EXPECT_EQ("ICMP is currently disabled.",
              WithSwitchState(*texts, "ICMP", true, 0));
  }

  MapTexts percent;
  percent.texts = {{"2", "at 100% of"}, {"3", "is %1 unset."}};
  EXPECT_EQ("Load at 100% of 7 bytes.",
            WithCurrentValue(percent, "Load", true, 7, &kBytes));
  EXPECT_EQ("Load is %1 unset.", WithCurrentValue(percent, "Load", false, 7));
}

TEST(PageTexts, FillPatternReplacesInOnePass) {
  EXPECT_EQ("a %2 b 5 c", FillPattern("%1 b %2 c", "a %2", "5"));
  EXPECT_EQ("50% of 8 bytes", FillPattern("50%% of %2 %3", "", "8", "bytes"));
  EXPECT_EQ("%d %4 %", FillPattern("%d %4 %", "text"));
  EXPECT_EQ("", FillPattern("%3", "text", "1"));
}

TEST(PageTexts, ReplaceNumberIsPlainTextReplacement) {
  EXPECT_EQ("Recommended MTU size  :  576 bytes.",
            ReplaceNumber("Recommended MTU size  :  %d bytes.", 576));
  EXPECT_EQ("1460 and 1460", ReplaceNumber("%d and %d", 1460));
  EXPECT_EQ("100% %s %u 5", ReplaceNumber("100% %s %u %d", 5));
  EXPECT_EQ("-3", ReplaceNumber("%d", -3));
  EXPECT_EQ("no number", ReplaceNumber("no number", 7));
}

// The MTU step's words on a search, with the host and the number filled in
// once: a host's own "%2" stays as typed.
TEST(PageTexts, MtuSearchStatus) {
  MapTexts english;
  EXPECT_EQ("Trying packets of 1038 bytes...",
            MtuSearchProgress(english, 1038));
  EXPECT_EQ("MTU towards 10.77.2.2: 1400",
            MtuSearchOutcome(english, "10.77.2.2", {kMtuFound, 1400, 11}));
  EXPECT_EQ("MTU towards a%2b: 1492",
            MtuSearchOutcome(english, "a%2b", {kMtuFound, 1492, 11}));
  // No larger size could be tried: the computer's own MTU may be the cap.
  EXPECT_EQ("MTU towards 10.77.2.2: 1400, this computer's own MTU",
            MtuSearchOutcome(english, "10.77.2.2",
                             {kMtuFound, 1400, 11, 1400, kProbeNoAnswer, 1400}));
  EXPECT_EQ("MTU towards 10.77.2.2: 1500",
            MtuSearchOutcome(english, "10.77.2.2",
                             {kMtuFound, 1500, 11, 1500, kProbeNoAnswer, 1500}));
  EXPECT_EQ("ns.example does not answer pings, not even the smallest: the "
            "MTU cannot be found this way.",
            MtuSearchOutcome(english, "ns.example", {kMtuNoAnswer, 0, 2}));
  EXPECT_EQ("Every size came back from ::1x, so the MTU of this path cannot "
            "be found this way.",
            MtuSearchOutcome(english, "::1x", {kMtuEveryAnswers, 0, 12}));
  EXPECT_EQ("Type the name or the address of a host to ping.",
            MtuSearchOutcome(english, "", {kMtuHostUnknown, 0, 0}));
  EXPECT_EQ("no.such is not known: type another name or an address.",
            MtuSearchOutcome(english, "no.such", {kMtuHostUnknown, 0, 0}));
  EXPECT_EQ("The search was stopped.",
            MtuSearchOutcome(english, "h", {kMtuCancelled, 0, 3}));
  // Longer than the widest address: cut there, never inside a character.
  EXPECT_EQ("MTU towards 255.255.255.255: 1500",
            MtuSearchOutcome(english, "255.255.255.255", {kMtuFound, 1500, 9}));
  EXPECT_EQ("MTU towards resolver2.dialu...: 1500",
            MtuSearchOutcome(english, "resolver2.dialup.provider.example",
                             {kMtuFound, 1500, 9}));
  EXPECT_EQ("MTU towards abcdefghijklm...: 1500",
            MtuSearchOutcome(english, "abcdefghijklm\x93\xFA\x96\x7B",
                             {kMtuFound, 1500, 9}));
  MapTexts file;
  file.texts = {{"FindMtuFound", "%2 <- %1 (100%%)"}};
  EXPECT_EQ("1400 <- h (100%)",
            MtuSearchOutcome(file, "h", {kMtuFound, 1400, 11}));
}

TEST(PageTexts, StepCaptionFollowsTheFamily) {
  MapTexts texts;
  texts.texts = {{"21", "Etape 1 de 8"}};
  StepTitle title = {TextId::ConnectionTypeTitle9x,
                     TextId::ConnectionTypeTitleNT};
  EXPECT_EQ("Step 1 of 6 : Choose Connection Type",
            StepCaption(texts, kFamily9x, title));
  EXPECT_EQ("Etape 1 de 8", StepCaption(texts, kFamilyNT, title));
}

// A page's text reads the field it names, and the found flag beside it.
TEST(PageTexts, ComposedFromTheRecord) {
  MapTexts texts;
  texts.texts = {{"IDC_static_step3_MTUExplain", "MTU"},
                 {"IDC_static_RecommendedMTU", "MTU  :  %d bytes."},
                 {"IDC_static_step4_MTUDiscoveryExplain", "Discovery"},
                 {"IDC_static_RecommendedSYN", "Level"}};
  SettingsRecord record;
  record.OriginalMTU = 1500;
  record.OriginalMSS = 1460;
  record.RecommendedMTU = 576;
  record.OriginalPMTUDiscovery = 1;
  record.OriginalSYNAttackProtect = 2;
  FoundFlags found;
  found.MTUFound = 1;
  found.PMTUDiscoveryFound = 1;
  found.SYNAttackProtectFound = 1;

  EXPECT_EQ("MTU", ComposeText(texts, Plain(1, TextId::MtuExplanation),
                               record, found));
  EXPECT_EQ("MTU  :  576 bytes.",
            ComposeText(texts,
                        Recommendation(1, TextId::RecommendedMtu,
                                       &SettingsRecord::RecommendedMTU),
                        record, found));
  EXPECT_EQ("MTU was set to 1500 bytes.",
            ComposeText(texts,
                        CurrentValue(1, TextId::MtuExplanation,
                                     &SettingsRecord::OriginalMTU,
                                     &FoundFlags::MTUFound, &kBytes),
                        record, found));
  EXPECT_EQ("MTU isn't set.",
            ComposeText(texts,
                        CurrentValue(1, TextId::MtuExplanation,
                                     &SettingsRecord::OriginalMSS,
                                     &FoundFlags::MSSFound, &kBytes),
                        record, found))
      << "the flag of the field, not of another";
  EXPECT_EQ("Discovery is currently enabled.",
            ComposeText(texts,
                        SwitchState(1, TextId::DiscoveryExplanation,
                                    &SettingsRecord::OriginalPMTUDiscovery,
                                    &FoundFlags::PMTUDiscoveryFound),
                        record, found));
  EXPECT_EQ("Level was set to option 2.",
            ComposeText(texts,
                        CurrentOption(1, TextId::SynLevels,
                                      &SettingsRecord::OriginalSYNAttackProtect,
                                      &FoundFlags::SYNAttackProtectFound),
                        record, found));
}

TEST(Recommendations, SeededValuesDependOnTheFamilyAndTheSynLevels) {
  SettingsRecord nt, nine, server2003;
  SeedDefaults(kFamilyNT, WindowsLimits(), nt);
  SeedDefaults(kFamily9x, WindowsLimits(), nine);
  const WindowsLimits twoLevels =
      CWindowsVersion(VersionNumbers{2, 5, 2}).Limits(true);
  SeedDefaults(kFamilyNT, twoLevels, server2003);
  // 2000 before Service Pack 4: level 2 would defeat what the wizard sets.
  SettingsRecord early2000;
  SeedDefaults(kFamilyNT, CWindowsVersion(VersionNumbers{2, 5, 0, 3}).Limits(true),
               early2000);
  EXPECT_EQ(1, early2000.NewSYNAttackProtect);
  EXPECT_EQ(1, early2000.RecommendedSYNAttackProtect);
  EXPECT_EQ(1, server2003.NewSYNAttackProtect);
  EXPECT_EQ(1, server2003.RecommendedSYNAttackProtect);
  EXPECT_EQ(64, nt.NewTTL);
  EXPECT_EQ(32, nine.NewTTL);
  EXPECT_EQ(20, nt.RecommendedMaxConnectionsPer1_0Server);
  EXPECT_EQ(4, nine.NewMaxConnectionsPer1_0Server);
  EXPECT_EQ(8, nine.RecommendedMaxConnectionsPerServer);
  for (const SettingsRecord* r : {&nt, &nine}) {
    EXPECT_EQ(2, r->NewSYNAttackProtect);
    EXPECT_EQ(7200000, r->RecommendedKeepAliveTime);
    EXPECT_EQ(1000, r->NewKeepAliveInterval);
  }
  EXPECT_EQ(576, RecommendedMtu(kDialUp));
  EXPECT_EQ(1492, RecommendedMtu(kDsl));
  EXPECT_EQ(1500, RecommendedMtu(kLan));
  EXPECT_EQ(1500, RecommendedMtu(kCableModem));
}

}  // namespace
}  // namespace velo
