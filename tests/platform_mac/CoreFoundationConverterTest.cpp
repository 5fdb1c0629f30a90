#include "platform_mac/CoreFoundationConverter.h"

#include "platform/WindowInfoKey.h"

#include <deque>
#include <gtest/gtest.h>
#include <limits>

using namespace corvel;
using mac::CoreFoundationConverter;
using mac::CoreFoundationValues;
using platform::PlatformValue;
using Type = CoreFoundationValues::Type;

namespace {

// A tree of values standing in for Core Foundation's objects.
struct Node {
    explicit Node(Type type = Type::other) : type(type) {}

    Type type;
    std::vector<const Node*> items;
    std::vector<std::pair<const Node*, const Node*>> entries;
    std::optional<std::string> text;
    bool isFloat = false;
    std::optional<std::int64_t> integer;
    std::optional<double> real;
    bool flag = false;
    std::optional<platform::Point> point;
    std::optional<platform::Rect> rect;
};

class FakeValues final : public CoreFoundationValues {
  public:
    const Node* makeArray(std::vector<const Node*> items) {
        Node node(Type::array);
        node.items = std::move(items);
        return add(std::move(node));
    }
    const Node* makeDictionary(std::vector<std::pair<const Node*, const Node*>> entries,
                               std::optional<platform::Rect> rect = std::nullopt) {
        Node node(Type::dictionary);
        node.entries = std::move(entries);
        node.rect = rect;
        return add(std::move(node));
    }
    const Node* makeString(std::optional<std::string> text) {
        Node node(Type::string);
        node.text = std::move(text);
        return add(std::move(node));
    }
    const Node* makeInteger(std::optional<std::int64_t> value) {
        Node node(Type::number);
        node.integer = value;
        return add(std::move(node));
    }
    const Node* makeReal(double value) {
        Node node(Type::number);
        node.isFloat = true;
        node.real = value;
        return add(std::move(node));
    }
    const Node* makeBoolean(bool value) {
        Node node(Type::boolean);
        node.flag = value;
        return add(std::move(node));
    }
    const Node* makeElement() { return add(Node(Type::element)); }
    const Node* makeAxValue(std::optional<platform::Point> point) {
        Node node(Type::axValue);
        node.point = point;
        return add(std::move(node));
    }
    const Node* makeOther() { return add(Node()); }

    Type type(Ref value) const override { return node(value).type; }
    std::vector<Ref> arrayValues(Ref array) const override {
        return {node(array).items.begin(), node(array).items.end()};
    }
    std::vector<std::pair<Ref, Ref>> dictionaryEntries(Ref dictionary) const override {
        return {node(dictionary).entries.begin(), node(dictionary).entries.end()};
    }
    std::optional<std::string> string(Ref value) const override { return node(value).text; }
    bool isFloat(Ref value) const override { return node(value).isFloat; }
    std::optional<std::int64_t> integer(Ref value) const override { return node(value).integer; }
    std::optional<double> real(Ref value) const override { return node(value).real; }
    bool boolean(Ref value) const override { return node(value).flag; }
    std::optional<platform::Point> point(Ref value) const override { return node(value).point; }
    std::optional<platform::Rect> rect(Ref value) const override { return node(value).rect; }
    std::optional<std::string> keyName(Ref key) const override {
        return node(key).type == Type::string ? node(key).text : std::nullopt;
    }

  private:
    static const Node& node(Ref value) { return *static_cast<const Node*>(value); }
    const Node* add(Node node) {
        nodes_.push_back(std::move(node));
        return &nodes_.back();
    }
    std::deque<Node> nodes_;
};

class CoreFoundationReading : public ::testing::Test {
  protected:
    std::pair<const Node*, const Node*> entry(std::string_view key, const Node* value) {
        return {values_.makeString(std::string(key)), value};
    }
    CoreFoundationConverter converter() {
        return CoreFoundationConverter(values_, [this](CoreFoundationValues::Ref) {
            return platform::AccessibilityElement{7, ++named_};
        });
    }

    FakeValues values_;
    std::uint64_t named_ = 0;
};

} // namespace

TEST_F(CoreFoundationReading, aWindowListReadsIntoDictionariesUnderThePortsNamesWithBoundsDecoded) {
    using Key = platform::WindowInfoKey;
    const auto* bounds = values_.makeDictionary({entry("Height", values_.makeInteger(24))},
                                                platform::Rect{{1200, 0}, {38.5, 24}});
    const auto* window = values_.makeDictionary({
        entry(Key::number, values_.makeInteger(812)),
        entry(Key::layer, values_.makeInteger(25)),
        entry(Key::alpha, values_.makeReal(1.0)),
        entry(Key::isOnscreen, values_.makeBoolean(true)),
        entry(Key::ownerName, values_.makeString("Clock")),
        entry(Key::bounds, bounds),
    });
    auto converting = converter();
    const auto list = converting.convertWindowList(values_.makeArray({window}));

    ASSERT_TRUE(list && list->asArray());
    ASSERT_EQ(list->asArray()->size(), 1u);
    const PlatformValue& read = list->asArray()->front();
    EXPECT_EQ(read.find(Key::number)->asInteger(), 812);
    EXPECT_EQ(read.find(Key::layer)->kind(), PlatformValue::Kind::integer);
    EXPECT_EQ(read.find(Key::alpha)->kind(), PlatformValue::Kind::real);
    EXPECT_EQ(read.find(Key::isOnscreen)->asBoolean(), true);
    EXPECT_EQ(read.find(Key::ownerName)->asString(), "Clock");
    const PlatformValue* frame = read.find(Key::bounds);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->find(Key::boundsX)->asNumber(), 1200);
    EXPECT_EQ(frame->find(Key::boundsY)->asNumber(), 0);
    EXPECT_EQ(frame->find(Key::boundsWidth)->asNumber(), 38.5);
    EXPECT_EQ(frame->find(Key::boundsHeight)->asNumber(), 24);
    EXPECT_TRUE(converting.leftOut().empty());
}

TEST_F(CoreFoundationReading, boundsThePlatformCannotDecodeAreReadAsTheyAre) {
    using Key = platform::WindowInfoKey;
    const auto* bounds = values_.makeDictionary({entry("Height", values_.makeInteger(24))});
    const auto* window = values_.makeDictionary({entry(Key::bounds, bounds)});
    const auto list = converter().convertWindowList(values_.makeArray({window}));
    const PlatformValue* frame = list->asArray()->front().find(Key::bounds);
    ASSERT_TRUE(frame && frame->asDictionary());
    EXPECT_EQ(frame->find("Height")->asInteger(), 24);
    EXPECT_FALSE(frame->find(Key::boundsX)) << "a reader then refuses the window";
    // Outside the window list a dictionary is never decoded as bounds.
    const auto* decodable = values_.makeDictionary({}, platform::Rect{{1, 2}, {3, 4}});
    const auto plain = converter().convert(values_.makeDictionary({entry(Key::bounds, decodable)}));
    EXPECT_TRUE(plain->find(Key::bounds)->asDictionary()->empty());
}

TEST_F(CoreFoundationReading, partsWithoutAFormAreLeftOutAndNamedWithTheirPlace) {
    const auto* window = values_.makeDictionary({
        entry("kCGWindowLayer", values_.makeInteger(std::nullopt)),
        entry("kCGWindowName", values_.makeString(std::nullopt)),
        entry("kCGWindowStoreType", values_.makeOther()),
        entry("kCGWindowNumber", values_.makeInteger(5)),
        {values_.makeInteger(3), values_.makeInteger(4)},
    });
    auto converting = converter();
    const auto list =
        converting.convertWindowList(values_.makeArray({values_.makeOther(), window, nullptr}));

    ASSERT_EQ(list->asArray()->size(), 1u) << "the unreadable windows are left out";
    const PlatformValue& read = list->asArray()->front();
    ASSERT_EQ(read.asDictionary()->size(), 1u);
    EXPECT_EQ(read.find("kCGWindowNumber")->asInteger(), 5);
    using LeftOut = CoreFoundationConverter::LeftOut;
    EXPECT_EQ(
        converting.leftOut(),
        (std::vector<LeftOut>{
            {"the window list[0]", "a value of a type Corvel does not read"},
            {"the window list[1].kCGWindowLayer", "a number that does not fit"},
            {"the window list[1].kCGWindowName", "a string without a UTF-8 form"},
            {"the window list[1].kCGWindowStoreType", "a value of a type Corvel does not read"},
            {"the window list[1]", "an entry whose key is not text"},
            {"the window list[2]", "no value"},
        }));
}

TEST_F(CoreFoundationReading, accessibilityValuesReadAsElementsNamedByTheCallerAndPoints) {
    auto converting = converter();
    const auto children =
        converting.convert(values_.makeArray({values_.makeElement(), values_.makeElement()}));
    ASSERT_TRUE(children && children->asArray());
    EXPECT_EQ(children->asArray()->at(0).asElement(), (platform::AccessibilityElement{7, 1}));
    EXPECT_EQ(children->asArray()->at(1).asElement(), (platform::AccessibilityElement{7, 2}));

    EXPECT_EQ(converting.convert(values_.makeAxValue(platform::Point{1200, 3}))->asPoint(),
              (platform::Point{1200, 3}));
    EXPECT_FALSE(converting.convert(values_.makeAxValue(std::nullopt)));
    EXPECT_EQ(converting.leftOut().back(),
              (CoreFoundationConverter::LeftOut{"the value",
                                                "an accessibility value that is not a point"}));
}

TEST_F(CoreFoundationReading, numbersStoredAsFloatingPointStayRealEvenWhenWhole) {
    auto converting = converter();
    EXPECT_EQ(converting.convert(values_.makeReal(25))->kind(), PlatformValue::Kind::real);
    EXPECT_EQ(converting.convert(values_.makeInteger(std::numeric_limits<std::int64_t>::min()))
                  ->asInteger(),
              std::numeric_limits<std::int64_t>::min());
}
