#pragma once
// The languages and code pages a version block's string table can be in, and the texts for
// the operating-system, file-type and subtype codes of its fixed part.

#include <cstdint>
#include <string>

enum class TLanguage : uint8_t {
  lnArabic, lnBulgarian, lnCatalan, lnTraditionalChinese, lnCzech, lnDanish, lnGerman, lnGreek,
  lnUSEnglish, lnCastilianSpanish, lnFinnish, lnFrench, lnHebrew, lnHungarian, lnIcelandic,
  lnItalian, lnJapanese, lnKorean, lnDutch, lnNorwegianBokmal, lnPolish, lnBrazilianPortuguese,
  lnRhaetoRomanic, lnRomanian, lnRussian, lnCroatoSerbian, lnSlovak, lnAlbanian, lnSwedish,
  lnThai, lnTurkish, lnUrdu, lnBahasa, lnSimplifiedChinese, lnSwissGerman, lnUKEnglish,
  lnMexicanSpanish, lnBelgianFrench, lnSwissItalian, lnBelgianDutch, lnNorwegianNynorsk,
  lnPortuguese, lnSerboCroatian, lnCanadianFrench, lnSwissFrench,
};

enum class TCharacterSet : uint8_t {
  csASCII, csJapan, csKorea, csTaiwan, csUnicode, csLatin2, csCyrillic, csMultilingual, csGreek,
  csTurkish, csHebrew, csArabic,
};

// The language identifier (0x0809 for lnUKEnglish); throws std::out_of_range for a value
// outside the table.
uint16_t LanguageId(TLanguage language);
// The code page (1252 for csMultilingual); throws std::out_of_range outside the table.
uint16_t CodePage(TCharacterSet characterSet);

std::string FileOSText(uint32_t code);
std::string FileTypeText(uint32_t code);
// Only drivers (type 3) and fonts (type 4) have subtypes; empty for other types.
std::string FileSubTypeText(uint32_t type, uint32_t subtype);
