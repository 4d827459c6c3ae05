// The page's document object model over WebKit, on a page with one element of
// every kind: kinds, reads, writes, the log's insertion order, text that must
// never become code, and references across page changes.

#include <gtest/gtest.h>

#include "app/page_scheme.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

using window_testing::WindowHarness;

class WebKitDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
    document = h.dialog.browser.Document();
    ASSERT_TRUE(document);
  }

  Ref<dom::Element> element(std::string_view id) { return document->getElementById(id); }
  template <class T>
  Ref<T> elementAs(std::string_view id) {
    return dom::elementAs<T>(element(id));
  }

  WindowHarness h{"elements.html"};
  Ref<gtk::WebKitDocument> document;
};

enum class Kind { Input, Select, Image, Plain, Missing };

Kind kindOf(const Ref<dom::Element>& element) {
  if (!element) return Kind::Missing;
  if (dom::elementAs<dom::InputElement>(element)) return Kind::Input;
  if (dom::elementAs<dom::SelectElement>(element)) return Kind::Select;
  if (dom::elementAs<dom::ImageElement>(element)) return Kind::Image;
  return Kind::Plain;
}

TEST_F(WebKitDocumentTest, ElementsComeAsTheClassOfTheirKind) {
  struct Row {
    const char* name;
    const char* id;
    Kind kind;
  };
  const Row rows[] = {
      {"check box", "ticked", Kind::Input},
      {"radio button", "radioOn", Kind::Input},
      {"text box", "text", Kind::Input},
      {"select", "select", Kind::Select},
      {"image", "image", Kind::Image},
      {"div", "plain", Kind::Plain},
      {"span", "anchor", Kind::Plain},
      {"no such id", "nothing", Kind::Missing},
      {"id differs in case", "Ticked", Kind::Missing},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(kindOf(element(row.id)), row.kind);
  }
}

TEST_F(WebKitDocumentTest, ReadsControls) {
  EXPECT_TRUE(elementAs<dom::InputElement>("ticked")->checked());
  EXPECT_FALSE(elementAs<dom::InputElement>("unticked")->checked());
  EXPECT_TRUE(elementAs<dom::InputElement>("radioOn")->checked());
  EXPECT_FALSE(elementAs<dom::InputElement>("radioOff")->checked());
  EXPECT_EQ(elementAs<dom::InputElement>("text")->value(), "안녕 \"quoted\" \\ back");
  EXPECT_EQ(elementAs<dom::InputElement>("empty")->value(), "");
  EXPECT_EQ(elementAs<dom::SelectElement>("select")->value(), " 2x");
  // What the user changes is what is read.
  (void)h.page("document.getElementById('unticked').click(); return true;");
  EXPECT_TRUE(elementAs<dom::InputElement>("unticked")->checked());
  (void)h.page("document.getElementById('select').selectedIndex = 1; return true;");
  EXPECT_EQ(elementAs<dom::SelectElement>("select")->value(), "x2");
}

TEST_F(WebKitDocumentTest, ImageWidthIsReadAndSet) {
  const Ref<dom::ImageElement> image = elementAs<dom::ImageElement>("image");
  EXPECT_EQ(image->width(), 300);
  EXPECT_TRUE(image->setWidth(120));
  EXPECT_EQ(image->width(), 120);
  EXPECT_EQ(h.page("return document.getElementById('image').width;").toInt32(), 120);
}

TEST_F(WebKitDocumentTest, LinesInsertedAfterAnElementShowNewestFirst) {
  const Ref<dom::Element> anchor = element("anchor");
  for (const char* line : {"A<BR>", "B<BR>", "C<BR>"}) {
    EXPECT_TRUE(anchor->insertAdjacentHTML("afterEnd", line));
  }
  EXPECT_EQ(h.page("return document.getElementById('box').innerHTML;").toString(),
            "<span id=\"anchor\">anchor</span>C<br>B<br>A<br>");
}

// Text from the page or from a contact reaches the page as a value, never as
// code: whatever it holds, it arrives unchanged and no script of it runs.
TEST_F(WebKitDocumentTest, TextNeverBecomesCode) {
  struct Row {
    const char* name;
    std::string text;
  };
  const Row rows[] = {
      {"quotes", R"(it's "quoted")"},
      {"backslashes", R"(back\slash \' \" \\)"},
      {"line breaks", "one\ntwo\r\nthree\u2028four\\n"},
      {"closing script tag", "</script><script>window.ran = 1</script>"},
      {"template literal", "${window.ran = 1}`"},
      {"statement break-out", "'); window.ran = 1; ('"},
      {"Korean and beyond", "남궁민수 😀"},
  };
  const Ref<dom::InputElement> text = elementAs<dom::InputElement>("text");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // A text box keeps no line breaks; what is read is what the page holds.
    const std::string held =
        h.page("const box = document.getElementById('text'); box.value = value; return box.value;",
               {{"value", row.text}})
            .toString();
    if (row.text.find('\n') == std::string::npos) {
      EXPECT_EQ(held, row.text);
    }
    EXPECT_EQ(text->value(), held);
    // Looked up by that text as an id: found when an element has it.
    (void)h.page("document.getElementById('plain').id = value; return true;",
                 {{"value", row.text}});
    EXPECT_EQ(kindOf(element(row.text)), Kind::Plain);
    (void)h.page("document.getElementById(value).id = 'plain'; return true;",
                 {{"value", row.text}});
    // Inserted as HTML, the text is markup at most, never a script that runs.
    EXPECT_TRUE(element("anchor")->insertAdjacentHTML("afterEnd", row.text));
  }
  EXPECT_EQ(h.page("return typeof window.ran;").toString(), "undefined");
}

TEST_F(WebKitDocumentTest, ReferencesStayWithTheirElement) {
  const Ref<dom::InputElement> box = elementAs<dom::InputElement>("ticked");
  // The page renames the element and gives its id to a new one.
  (void)h.page(R"(
    document.getElementById('ticked').id = 'renamed';
    const other = document.createElement('input');
    other.type = 'checkbox';
    other.id = 'ticked';
    document.body.appendChild(other);
    return true;)");
  EXPECT_TRUE(box->checked());
  EXPECT_FALSE(elementAs<dom::InputElement>("ticked")->checked());
}

TEST_F(WebKitDocumentTest, PageScriptsCannotSeeTheProgramsRegistry) {
  ASSERT_TRUE(element("plain"));
  EXPECT_EQ(h.page("return typeof window.borvanta;").toString(), "undefined");
}

TEST_F(WebKitDocumentTest, NoCurrentEventOutsideAnEvent) {
  EXPECT_EQ(document->currentEvent(), std::nullopt);
}

TEST_F(WebKitDocumentTest, ADocumentThatIsGoneAnswersNothing) {
  const Ref<dom::Element> anchor = element("anchor");
  const Ref<dom::InputElement> text = elementAs<dom::InputElement>("text");
  const Ref<dom::ImageElement> image = elementAs<dom::ImageElement>("image");
  h.dialog.browser.Navigate2(window_testing::fixtureAddress("other.html"));
  ASSERT_TRUE(h.waitForDocument(window_testing::fixtureAddress("other.html")));
  EXPECT_FALSE(document->getElementById("other"));
  EXPECT_EQ(text->value(), "");
  EXPECT_EQ(image->width(), 0);
  EXPECT_FALSE(image->setWidth(10));
  EXPECT_FALSE(anchor->insertAdjacentHTML("afterEnd", "lost"));
  // The document shown now is another one, with elements of its own.
  const Ref<gtk::WebKitDocument> shown = h.dialog.browser.Document();
  ASSERT_TRUE(shown);
  EXPECT_NE(shown->token(), document->token());
  EXPECT_EQ(kindOf(shown->getElementById("other")), Kind::Plain);
}

}  // namespace
}  // namespace borvanta
