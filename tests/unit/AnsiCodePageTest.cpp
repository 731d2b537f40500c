// Telling a language file's code page from its bytes: each kind of
// translation the project ships, and the texts that sit near the borders
// between them (curly quotes, accents before a blank, half-width kana).
#include <gtest/gtest.h>

#include <string>

#include "support/AnsiCodePage.h"

namespace velo {
namespace {

TEST(AnsiCodePage, AFileWithoutBytesAbove127ReadsTheSameEverywhere) {
  EXPECT_EQ(kPlainAscii, GuessAnsiCodePage("[Lanvora]\r\n3=isn't set.\r\n"));
  EXPECT_EQ(kPlainAscii, GuessAnsiCodePage(""));
}

TEST(AnsiCodePage, WesternTranslationsMixAccentsIntoLatinWords) {
  // German: "Größe für das Menü" and French: "Paramètres activés à l'écran".
  EXPECT_EQ(kWesternEuropean,
            GuessAnsiCodePage("4=Gr\xF6\xDF" "e f\xFCr das Men\xFC\r\n"));
  EXPECT_EQ(kWesternEuropean,
            GuessAnsiCodePage("6=Param\xE8tres activ\xE9s \xE0 l'\xE9" "cran\r\n"));
  // Curly quotes and an apostrophe before letters look like Shift-JIS
  // pairs; the accent before a blank does not.
  EXPECT_EQ(kWesternEuropean,
            GuessAnsiCodePage("41=\x84Gut\x93, l\x92ordinateur est pr\xEAt \xE0 "
                              "red\xE9marrer.\r\n"));
}

TEST(AnsiCodePage, RussianWordsHaveNoLatinLetter) {
  // "Настройки TCP/IP сохранены" and "не задано." in code page 1251.
  EXPECT_EQ(kCyrillic,
            GuessAnsiCodePage("18=\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8 TCP/IP "
                              "\xF1\xEE\xF5\xF0\xE0\xED\xE5\xED\xFB\r\n"
                              "3=\xED\xE5 \xE7\xE0\xE4\xE0\xED\xEE.\r\n"));
}

TEST(AnsiCodePage, JapaneseIsShiftJisMadeOfKanaAndKanji) {
  // "設定" (settings), "の" and "テスト" (test), with half-width "ｱ".
  EXPECT_EQ(kJapanese, GuessAnsiCodePage("18=\x90\xDD\x92\xE8\x82\xCC"
                                         "\x83\x65\x83\x58\x83\x67 MTU \xB1\r\n"));
}

TEST(AnsiCodePage, ABrokenShiftJisPairIsNotJapanese) {
  // A lead byte followed by a blank, and one that ends the file.
  EXPECT_EQ(kWesternEuropean, GuessAnsiCodePage("1=Men\x82 und Caf\xE9"));
  EXPECT_NE(kJapanese, GuessAnsiCodePage("1=\x90\xDD\x92\xE8\x82"));
}

}  // namespace
}  // namespace velo
