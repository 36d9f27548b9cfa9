#include "Core/Xml/WriterBase.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The document of one element holding the text, or the writer's refusal.
std::string xmlOf(const std::string& text) {
    std::ostringstream out;
    const auto refusal = TestSupport::failure<std::runtime_error>([&] {
        Core::Xml::WriterBase xml(out);
        xml.element("Text", text);
        xml.close();
    });
    return refusal == "no exception" ? out.str() : refusal;
}

TEST(XmlWriter, ATextXmlCannotHoldIsRefusedNamingItsFirstCulprit) {
    const std::string refused = "Tekstu nie można zapisać w dokumencie XML: ";
    for (const auto& [text, written] : std::vector<std::pair<std::string, std::string>>{
             {"Zły <rozmiar> & \"kolor\"", "<Text>Zły &lt;rozmiar&gt; &amp; \"kolor\"</Text>"},
             {"a\tb\nc\rd", "<Text>a\tb\nc\rd</Text>"},
             {"\xEF\xBF\xBD \xF0\x9F\x98\x80", "<Text>\xEF\xBF\xBD \xF0\x9F\x98\x80</Text>"},
             {"Zwrot\xEF\xBF\xBF", refused + "znak U+FFFF (po „Zwrot”) nie jest dopuszczalny w XML."},
             {"\xEF\xBF\xBEx", refused + "znak U+FFFE (na początku tekstu) nie jest dopuszczalny w XML."},
             {"Dwa\x01", refused + "znak U+0001 (po „Dwa”) nie jest dopuszczalny w XML."},
             {"Zł\xFF", refused + "bajt 0xFF (po „Zł”) nie jest znakiem UTF-8."},
         })
        EXPECT_EQ(xmlOf(text), written) << text;
}

}  // namespace
