#include "platform/linux/locale/lcid_table.h"

#include <array>

namespace brask {
namespace {

// The first entry of each language stands for the language without a territory.
constexpr std::array<LcidEntry, 64> kEntries{{
    {"en_US", 0x0409, "English"},    {"en_GB", 0x0809, "English"},
    {"en_AU", 0x0C09, "English"},    {"en_CA", 0x1009, "English"},
    {"en_NZ", 0x1409, "English"},    {"en_IE", 0x1809, "English"},
    {"en_ZA", 0x1C09, "English"},    {"en_IN", 0x4009, "English"},
    {"de_DE", 0x0407, "German"},     {"de_CH", 0x0807, "German"},
    {"de_AT", 0x0C07, "German"},     {"de_LU", 0x1007, "German"},
    {"de_LI", 0x1407, "German"},     {"nl_NL", 0x0413, "Dutch"},
    {"nl_BE", 0x0813, "Dutch"},      {"fr_FR", 0x040C, "French"},
    {"fr_BE", 0x080C, "French"},     {"fr_CA", 0x0C0C, "French"},
    {"fr_CH", 0x100C, "French"},     {"fr_LU", 0x140C, "French"},
    {"it_IT", 0x0410, "Italian"},    {"it_CH", 0x0810, "Italian"},
    {"es_ES", 0x0C0A, "Spanish"},    {"es_MX", 0x080A, "Spanish"},
    {"es_AR", 0x2C0A, "Spanish"},    {"pt_BR", 0x0416, "Portuguese"},
    {"pt_PT", 0x0816, "Portuguese"}, {"pl_PL", 0x0415, "Polish"},
    {"sv_SE", 0x041D, "Swedish"},    {"sv_FI", 0x081D, "Swedish"},
    {"da_DK", 0x0406, "Danish"},     {"nb_NO", 0x0414, "Norwegian"},
    {"nn_NO", 0x0814, "Norwegian"},  {"fi_FI", 0x040B, "Finnish"},
    {"ru_RU", 0x0419, "Russian"},    {"ja_JP", 0x0411, "Japanese"},
    {"zh_CN", 0x0804, "Chinese"},    {"zh_TW", 0x0404, "Chinese"},
    {"cs_CZ", 0x0405, "Czech"},      {"tr_TR", 0x041F, "Turkish"},
    {"el_GR", 0x0408, "Greek"},      {"hu_HU", 0x040E, "Hungarian"},
    {"ko_KR", 0x0412, "Korean"},     {"uk_UA", 0x0422, "Ukrainian"},
    {"sk_SK", 0x041B, "Slovak"},     {"ro_RO", 0x0418, "Romanian"},
    {"bg_BG", 0x0402, "Bulgarian"},  {"hr_HR", 0x041A, "Croatian"},
    {"sl_SI", 0x0424, "Slovenian"},  {"sr_RS", 0x241A, "Serbian"},
    {"ca_ES", 0x0403, "Catalan"},    {"he_IL", 0x040D, "Hebrew"},
    {"ar_SA", 0x0401, "Arabic"},     {"is_IS", 0x040F, "Icelandic"},
    {"et_EE", 0x0425, "Estonian"},   {"lv_LV", 0x0426, "Latvian"},
    {"lt_LT", 0x0427, "Lithuanian"}, {"th_TH", 0x041E, "Thai"},
    {"vi_VN", 0x042A, "Vietnamese"}, {"id_ID", 0x0421, "Indonesian"},
    {"hi_IN", 0x0439, "Hindi"},      {"ga_IE", 0x083C, "Irish"},
    {"eu_ES", 0x042D, "Basque"},     {"gl_ES", 0x0456, "Galician"},
}};

}  // namespace

const LcidEntry* lcidEntryForPosixName(std::string_view localeName) {
  const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
  if (name == "C" || name == "POSIX") return &kEntries.front();
  for (const LcidEntry& entry : kEntries) {
    if (entry.posixName == name) return &entry;
  }
  const std::string_view language = name.substr(0, name.find('_'));
  for (const LcidEntry& entry : kEntries) {
    if (entry.posixName.substr(0, entry.posixName.find('_')) == language) return &entry;
  }
  return nullptr;
}

const LcidEntry* lcidEntryForLcid(std::int32_t lcid) {
  for (const LcidEntry& entry : kEntries) {
    if (entry.lcid == lcid) return &entry;
  }
  return nullptr;
}

}  // namespace brask
