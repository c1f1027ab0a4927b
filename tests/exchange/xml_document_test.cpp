// The XML engine: navigation, building, references, the encodings of files and the
// refusal of malformed ones.
#include "exchange/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace zarim {
namespace {

constexpr const char* kList =
    "<?xml version=\"1.0\"?>\n"
    "<PUBLIST><Agent Ver=\"9000\">Zarim</Agent><Count>2</Count>"
    "<Active><Pub><id>11</id><fname>Ann</fname></Pub>"
    "<!-- a comment --><Pub><id>12</id><fname>Ben</fname><Jan Year=\"2024\"/></Pub></Active>"
    "</PUBLIST>";

TEST(XmlDocument, NavigatesMainAndChildPositions) {
  XmlDocument x;
  ASSERT_TRUE(x.SetDoc(kList)) << x.Result();
  EXPECT_FALSE(x.FindChildElem());  // no main position yet
  ASSERT_TRUE(x.FindElem("PUBLIST"));
  EXPECT_FALSE(x.FindElem());  // the root has no sibling
  ASSERT_TRUE(x.FindChildElem("Agent"));
  EXPECT_EQ(x.GetChildData(), "Zarim");
  EXPECT_EQ(x.GetChildAttrib("Ver"), "9000");
  EXPECT_FALSE(x.FindChildElem("Agent"));  // searching goes on after the child position
  x.ResetChildPos();
  ASSERT_TRUE(x.FindChildElem("Count"));
  EXPECT_EQ(x.GetChildData(), "2");
  ASSERT_TRUE(x.IntoElem());  // Count becomes the main element
  EXPECT_EQ(x.GetTagName(), "Count");
  ASSERT_TRUE(x.FindElem("Active"));
  ASSERT_TRUE(x.IntoElem());
  std::vector<std::string> names;
  while (x.FindElem("Pub")) {
    XmlPosition pub = x.SavePos();
    x.FindChildElem("fname");
    names.push_back(x.GetChildData());
    x.RestorePos(pub);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Ben"}));  // the comment is passed over
  ASSERT_TRUE(x.FindChildElem("Jan"));
  EXPECT_EQ(x.GetChildAttrib("Year"), "2024");
  EXPECT_EQ(x.GetChildAttrib("Missing"), "");
  ASSERT_TRUE(x.OutOfElem());
  EXPECT_EQ(x.GetTagName(), "Active");
  EXPECT_EQ(x.GetChildTagName(), "Pub");
  ASSERT_TRUE(x.OutOfElem());
  EXPECT_EQ(x.GetTagName(), "PUBLIST");
  EXPECT_FALSE(x.OutOfElem());
  x.ResetPos();
  EXPECT_TRUE(x.FindElem());
}

TEST(XmlDocument, BuildsAndReadsBackElementsAttributesAndCdata) {
  XmlDocument x;
  ASSERT_TRUE(x.AddElem("PUBLIST"));
  EXPECT_FALSE(x.AddElem("Second"));  // one root only
  ASSERT_TRUE(x.IntoElem());
  ASSERT_TRUE(x.AddElem("Agent", "Zarim & Co <1>"));
  ASSERT_TRUE(x.SetAttrib("Ver", 9000));
  ASSERT_TRUE(x.SetAttrib("Ver", "9001"));  // replaced, not doubled
  ASSERT_TRUE(x.AddElem("Count", -42));
  ASSERT_TRUE(x.AddElem("Note", "a]]>b]]>", true));
  ASSERT_TRUE(x.AddChildElem("Inner", "\xC2\xBD"));
  ASSERT_TRUE(x.SetChildAttrib("q", "say \"hi\""));
  EXPECT_FALSE(x.AddElem("bad name"));
  EXPECT_FALSE(x.SetAttrib("", "x"));

  std::string text = x.GetDoc();
  EXPECT_NE(text.find("<![CDATA[a]]]]><![CDATA[>b]]]]><![CDATA[>]]>"), std::string::npos) << text;
  EXPECT_NE(text.find("<Count>-42</Count>"), std::string::npos) << text;

  XmlDocument y;
  ASSERT_TRUE(y.SetDoc(text)) << y.Result();
  ASSERT_TRUE(y.FindElem("PUBLIST"));
  ASSERT_TRUE(y.IntoElem());
  ASSERT_TRUE(y.FindElem("Agent"));
  EXPECT_EQ(y.GetData(), "Zarim & Co <1>");
  EXPECT_EQ(y.GetAttrib("Ver"), "9001");
  ASSERT_TRUE(y.FindElem("Note"));
  EXPECT_EQ(y.GetData(), "a]]>b]]>\xC2\xBD");  // CDATA parts and the child's text
  ASSERT_TRUE(y.FindChildElem("Inner"));
  EXPECT_EQ(y.GetChildData(), "\xC2\xBD");
  EXPECT_EQ(y.GetChildAttrib("q"), "say \"hi\"");
  // An element added with no main position goes last under the parent.
  y.ResetMainPos();
  ASSERT_TRUE(y.AddElem("Last", 7));
  y.ResetMainPos();
  std::string last;
  while (y.FindElem()) last = y.GetTagName();
  EXPECT_EQ(last, "Last");
}

TEST(XmlDocument, ResolvesNamedAndNumericReferences) {
  XmlDocument x;
  ASSERT_TRUE(
      x.SetDoc("<r a=\"&frac14;&amp;&#65;\">&permil; &alpha; &hearts; &frac12; &#x263A; &#169; &lt;"
               "<![CDATA[&frac14;]]><!-- &bogus; --></r>"))
      << x.Result();
  ASSERT_TRUE(x.FindElem("r"));
  EXPECT_EQ(x.GetData(), "\u2030 \u03B1 \u2665 \u00BD \u263A \u00A9 <&frac14;");
  EXPECT_EQ(x.GetAttrib("a"), "\u00BC&A");
  // A name outside HTML 4 is no reference: the document is refused.
  EXPECT_FALSE(x.SetDoc("<r>&notanentity;</r>"));
  EXPECT_TRUE(x.IsEmpty());
}

// Files in the encodings the engine meets, each with "Zoë ½" as its text.
struct EncodedFile {
  const char* label;
  std::string bytes;
  const char* event;  // an event the load reports, or nullptr
};

std::string Utf16Le(std::string_view ascii_with_markers) {
  std::string out = "\xFF\xFE";
  for (char c : ascii_with_markers) {
    if (c == '\x01') {  // ë
      out += '\xEB', out += '\0';
    } else if (c == '\x02') {  // ½
      out += '\xBD', out += '\0';
    } else {
      out += c, out += '\0';
    }
  }
  return out;
}

TEST(XmlDocument, LoadsFilesInTheirDeclaredOrDetectedEncoding) {
  const EncodedFile files[] = {
      {"utf-8 undeclared", "<r>Zo\xC3\xAB \xC2\xBD</r>", "utf8_detection"},
      {"utf-8 with bom", "\xEF\xBB\xBF<r>Zo\xC3\xAB \xC2\xBD</r>", nullptr},
      {"utf-16 with bom", Utf16Le("<?xml version=\"1.0\" encoding=\"UTF-16\"?><r>Zo\x01 \x02</r>"),
       "converted_to"},
      {"windows-1252 declared",
       "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>Zo\xEB \xBD</r>", "converted_to"},
      {"latin-1 alias", "<?xml version='1.0' encoding='ISO_8859-1'?><r>Zo\xEB \xBD</r>",
       "converted_to"},
      {"ANSI is the language's code page",
       "<?xml version=\"1.0\" encoding=\"ANSI\"?><r>Zo\xEB \xBD</r>", "converted_to"},
      {"undeclared and not utf-8", "<r>Zo\xEB \xBD</r>", "converted_to"},
  };
  testing::TempDir dir;
  for (const EncodedFile& f : files) {
    SCOPED_TRACE(f.label);
    dir.Write("in.xml", f.bytes);
    XmlDocument x;
    ASSERT_TRUE(x.Load(dir.File("in.xml"))) << x.Result();
    EXPECT_TRUE(XmlResultHas(x.Result(), "read"));
    if (f.event) {
      EXPECT_TRUE(XmlResultHas(x.Result(), f.event)) << x.Result();
    }
    ASSERT_TRUE(x.FindElem("r"));
    EXPECT_EQ(x.GetData(), "Zo\xC3\xAB \xC2\xBD");
    // Saved back in the encoding it came in, it loads to the same text.
    ASSERT_TRUE(x.Save(dir.File("out.xml"))) << x.Result();
    XmlDocument y;
    ASSERT_TRUE(y.Load(dir.File("out.xml"))) << y.Result();
    EXPECT_EQ(y.Encoding(), x.Encoding());
    ASSERT_TRUE(y.FindElem("r"));
    EXPECT_EQ(y.GetData(), "Zo\xC3\xAB \xC2\xBD");
  }
  // The windows-1252 file is written back byte for byte in that code page.
  dir.Write("cp.xml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>Zo\xEB \xBD</r>\n");
  XmlDocument cp;
  ASSERT_TRUE(cp.Load(dir.File("cp.xml")));
  ASSERT_TRUE(cp.Save(dir.File("cp2.xml")));
  EXPECT_EQ(dir.Read("cp2.xml"), dir.Read("cp.xml"));
  EXPECT_TRUE(XmlResultHas(cp.Result(), "converted_from")) << cp.Result();
}

TEST(XmlDocument, ReportsLossAndRemovedNulls) {
  testing::TempDir dir;
  constexpr char kBytes[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>a\xFF\0b</r>";
  dir.Write("in.xml", std::string(kBytes, sizeof kBytes - 1));
  XmlDocument x;
  ASSERT_TRUE(x.Load(dir.File("in.xml"))) << x.Result();
  EXPECT_TRUE(XmlResultHas(x.Result(), "conversion_loss")) << x.Result();
  EXPECT_TRUE(XmlResultHas(x.Result(), "nulls_removed")) << x.Result();
  ASSERT_TRUE(x.FindElem("r"));
  EXPECT_EQ(x.GetData(),
            "a\xEF\xBF\xBD"
            "b");
  // A character the target code page lacks is a loss on saving.
  x.SetEncoding("windows-1252");
  ASSERT_TRUE(x.Save(dir.File("out.xml")));
  EXPECT_TRUE(XmlResultHas(x.Result(), "conversion_loss")) << x.Result();
}

TEST(XmlDocument, RefusesMalformedFilesWhole) {
  struct Case {
    const char* label;
    std::string text;
    const char* event;
  };
  const Case cases[] = {
      {"truncated", std::string(kList).substr(0, 120), "unended_start_tag"},
      {"stray <", "<r><a>1</a>< <b>2</b></r>", "unterminated_tag_syntax"},
      {"lone end tag", "<r><a>1</b></r>", "lone_end_tag"},
      {"two roots", "<r/><s/>", "root_has_sibling"},
      {"empty", "", "no_root_element"},
      {"open comment", "<r><!-- x</r>", "comment_tag_syntax"},
      {"open cdata", "<r><![CDATA[x</r>", "cdata_section_syntax"},
  };
  testing::TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    dir.Write("bad.xml", c.text);
    XmlDocument x;
    EXPECT_FALSE(x.Load(dir.File("bad.xml")));
    EXPECT_TRUE(x.IsEmpty());
    EXPECT_FALSE(x.FindElem());  // nothing half-read to navigate
    EXPECT_TRUE(XmlResultHas(x.Result(), c.event)) << x.Result();
  }
  // A utf-16 file cut inside a character is reported and still read up to the cut.
  dir.Write("cut.xml", Utf16Le("<r>x</r>") + std::string(1, '\0'));
  XmlDocument cut;
  EXPECT_TRUE(cut.Load(dir.File("cut.xml")));
  EXPECT_TRUE(XmlResultHas(cut.Result(), "truncation_error")) << cut.Result();
}

TEST(XmlDocument, NeverReadsExternalEntities) {
  testing::TempDir dir;
  dir.Write("secret.txt", "secret");
  dir.Write("in.xml",
            "<!DOCTYPE r [<!ENTITY e SYSTEM \"" + dir.File("secret.txt") + "\">]><r>&e;</r>");
  XmlDocument x;
  if (x.Load(dir.File("in.xml"))) {
    ASSERT_TRUE(x.FindElem("r"));
    EXPECT_EQ(x.GetData().find("secret"), std::string::npos);
  }
}

TEST(XmlDocument, FileErrorsAreEvents) {
  testing::TempDir dir;
  XmlDocument x;
  EXPECT_FALSE(x.Load(dir.File("missing.xml")));
  EXPECT_TRUE(XmlResultHas(x.Result(), "file_error"));
  ASSERT_TRUE(x.AddElem("r"));
  EXPECT_FALSE(x.Save(dir.File("no/such/folder/out.xml")));
  EXPECT_TRUE(XmlResultHas(x.Result(), "file_error"));
  ASSERT_TRUE(x.Save(dir.File("out.xml")));
  EXPECT_TRUE(XmlResultHas(x.Result(), "write"));
  EXPECT_EQ(x.Result().find("file_error"), std::string::npos);
}

}  // namespace
}  // namespace zarim
