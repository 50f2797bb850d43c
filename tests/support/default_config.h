// The bytes of the configuration file that a first start writes.
#pragma once

#include <string>

namespace testing_support {

// The field separator "×" in UTF-8, for the tests' expected bytes.
#define WORDHOP_X "\xC3\x97"
#define WORDHOP_VENDOR "www.purebasic.fr/english | www.purebasic.fr/french"

inline const std::string kDefaultFile =
    "\xEF\xBB\xBF\r\n"
    "; Wordhop.ini\r\n"
    "; \r\n"
    "[Google]\r\n"
    "Search = https://www.google.com/search?\r\n"
    "LangUI = &hl=en\r\n"
    "; \r\n"
    "[Browser]\r\n"
    "BrowserStart = 2500\r\n"
    "TabDelay = 500\r\n"
    "; \r\n"
    "[Entries]\r\n"
    "1 = 1" WORDHOP_X WORDHOP_VENDOR WORDHOP_X "1" WORDHOP_X "0" WORDHOP_X "0" WORDHOP_X WORDHOP_X "Search both websites for PB and API content\r\n"
    "2 = 0" WORDHOP_X WORDHOP_VENDOR WORDHOP_X "1" WORDHOP_X "1" WORDHOP_X "0" WORDHOP_X "&lr=lang_fr" WORDHOP_X "Search both websites, but only return results in French\r\n"
    "3 = 0" WORDHOP_X WORDHOP_VENDOR WORDHOP_X "1" WORDHOP_X "1" WORDHOP_X "0" WORDHOP_X "&lr=lang_de" WORDHOP_X "Search both websites, but only return results in German\r\n"
    "4 = 0" WORDHOP_X WORDHOP_VENDOR WORDHOP_X "1" WORDHOP_X "1" WORDHOP_X "0" WORDHOP_X "&lr=lang_en|lang_de" WORDHOP_X
    "Search both websites, but only return results in English and German\r\n"
    "5 = 0" WORDHOP_X "groups.google.com" WORDHOP_X "0" WORDHOP_X "0" WORDHOP_X "0" WORDHOP_X WORDHOP_X "Search Google Groups\r\n"
    "6 = 1" WORDHOP_X "devblogs.microsoft.com" WORDHOP_X "0" WORDHOP_X "0" WORDHOP_X "0" WORDHOP_X WORDHOP_X "Search MSDN blogs (e.g. The Old New Thing)\r\n"
    "7 = 1" WORDHOP_X "learn.microsoft.com" WORDHOP_X "0" WORDHOP_X "0" WORDHOP_X "0" WORDHOP_X "+function|message|notification|structure" WORDHOP_X
    "Search MSDN for [%WORD function|message|notification|structure]\r\n";

#undef WORDHOP_VENDOR

}  // namespace testing_support
