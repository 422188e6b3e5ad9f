#include "platform/event_log/event_data_xml.h"

#include <gtest/gtest.h>

#include <string>

namespace brask {
namespace {

TEST(EventDataXml, TellsAClassicEventsTrailingBinaryFromAManifestEventsData) {
  const std::string data = "<Data>Spooler</Data>";
  const struct {
    const char* what;
    std::string xml;
    bool binary;
  } cases[] = {
      {"classic, a trailing Binary", "<EventData>" + data + "<Binary>D906</Binary></EventData>", true},
      {"an empty Binary, with line breaks",
       "<EventData>\r\n  " + data + "\r\n  <Binary></Binary>\r\n</EventData>", true},
      {"a Binary element closed at once", "<EventData><Binary/>\n</EventData>", true},
      {"manifest, binary-typed Data", "<EventData><Data Name='Raw'>D906</Data></EventData>", false},
      {"a Binary before the last Data",
       "<EventData><Binary>00</Binary>" + data + "</EventData>", false},
      {"user data", "<UserData><Binary>00</Binary></UserData>", false},
      {"truncated before the end of its data", "<EventData>" + data + "<Binary>D9", false},
      {"no event data", "<EventData/>", false},
      {"empty", "", false},
  };
  for (const auto& c : cases) {
    const std::string xml = "<Event><System><Provider Name='P'/></System>" + c.xml + "</Event>";
    EXPECT_EQ(endsInBinary(xml), c.binary) << c.what;
    EXPECT_EQ(endsInBinary(std::wstring(xml.begin(), xml.end())), c.binary) << c.what << ", wide";
  }
}

}  // namespace
}  // namespace brask
