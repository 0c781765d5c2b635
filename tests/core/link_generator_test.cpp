// The link generator against four boxes held in memory: the values it takes
// from a share address, the links it writes and where, and the kept values.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "configured_hosts.h"
#include "link_generator.h"
#include "program_texts.h"

namespace corvanel {
namespace {

// Stands in for the main window's four edit boxes and records every access.
class FakeBoxes final : public BoxAccess {
public:
    Text ReadBoxContent(BoxName box) override {
        reads.push_back(box);
        return content[Index(box)];
    }
    void WriteBoxContent(BoxName box, const Text& text) override {
        writes.push_back(box);
        content[Index(box)] = text;
    }

    std::string_view Box(BoxName box) const { return content[Index(box)].Bytes(); }
    void Set(BoxName box, std::string_view text) { content[Index(box)] = Text(text); }

    std::vector<BoxName> reads;
    std::vector<BoxName> writes;

private:
    static std::size_t Index(BoxName box) { return static_cast<std::size_t>(box); }
    std::array<Text, 4> content;
};

const std::vector<BoxName> kLinkBoxesInOrder = {BoxName::编辑框2, BoxName::编辑框3, BoxName::编辑框4};

class GenerateLinksTest : public testing::Test {
protected:
    void SetUp() override { ShutdownCleanup(); }
    void TearDown() override { ShutdownCleanup(); }

    void Generate(std::string_view address) {
        boxes.Set(BoxName::编辑框1, address);
        GenerateLinks(boxes);
    }

    FakeBoxes boxes;
};

TEST_F(GenerateLinksTest, ShareAddressGivesTheThreeLinks) {
    const std::string_view address =
        "https://pan.baidu.com/share/link?shareid=123456789&uk=987654321";
    Generate(address);

    EXPECT_EQ(ShareId().Bytes(), "123456789");
    EXPECT_EQ(ShareUk().Bytes(), "987654321");
    EXPECT_EQ(boxes.Box(BoxName::编辑框2), "http://" CORVANEL_LINK_HOST_1 "/mp3.php/123456789/987654321.mp3");
    EXPECT_EQ(boxes.Box(BoxName::编辑框3), "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/123456789/987654321.mp3");
    EXPECT_EQ(boxes.Box(BoxName::编辑框4), "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/123456789/987654321.mp3");
    EXPECT_EQ(boxes.Box(BoxName::编辑框1), address);
}

TEST_F(GenerateLinksTest, ReadsOnlyTheAddressBoxAndWritesEachLinkBoxOnceInOrder) {
    Generate("https://pan.baidu.com/share/link?shareid=1&uk=2");
    // One read for each value and one to see whether the box is empty.
    EXPECT_EQ(boxes.reads, std::vector<BoxName>(3, BoxName::编辑框1));
    EXPECT_EQ(boxes.writes, kLinkBoxesInOrder);
}

TEST(LinkServices, BaseAddressesAndTargetBoxes) {
    ASSERT_EQ(std::size(kLinkServices), 3u);
    const std::string_view paths[] = {"/mp3.php/", "/bdwp.php/", "/bdwp.php/"};
    for (std::size_t i = 0; i < std::size(kLinkServices); ++i) {
        SCOPED_TRACE(testing::Message() << "service " << i + 1);
        const std::string_view base = kLinkServices[i].baseAddress;
        EXPECT_EQ(base.substr(0, 7), "http://");
        ASSERT_GT(base.size(), 7 + paths[i].size());
        EXPECT_EQ(base.substr(base.size() - paths[i].size()), paths[i]);
        EXPECT_EQ(kLinkServices[i].targetBox, kLinkBoxesInOrder[i]);
    }
}

struct AddressCase {
    const char* what;
    std::string_view address;
    std::string_view shareId;
    std::string_view shareUk;
};

const AddressCase kAddressCases[] = {
    {"share address", "https://pan.baidu.com/share/link?shareid=123456789&uk=987654321",
     "123456789", "987654321"},
    {"upper-case names", "https://pan.baidu.com/share/link?SHAREID=123456789&UK=987654321",
     "123456789", "987654321"},
    {"mixed-case names", "https://pan.baidu.com/share/link?ShareId=123456789&Uk=987654321",
     "123456789", "987654321"},
    {"an earlier name ending in id= wins", "https://pan.baidu.com/share/link?fid=1&shareid=2&uk=3",
     "1", "3"},
    {"parameters after uk= end up in it", "https://pan.baidu.com/share/link?shareid=2&uk=3&x=y",
     "2", "3&x=y"},
    {"uk= first", "https://pan.baidu.com/share/link?uk=987654321&shareid=123456789", "",
     "987654321&shareid=123456789"},
    {"an address ending in a blank", "https://pan.baidu.com/share/link?shareid=1&uk=2 ", "1",
     "2"},
    {"a blank ends the uk", "https://pan.baidu.com/share/link?shareid=1&uk=2 more", "1", "2"},
    {"only blanks", "   ", "", ""},
    {"one blank", " ", "", ""},
    {"no id=", "https://pan.baidu.com/s/1abc?uk=55", "", "55"},
    {"id= without a following &", "https://pan.baidu.com/share/link?shareid=77", "", ""},
    {"no uk=", "https://pan.baidu.com/share/link?shareid=1&x=2", "1", ""},
    {"values are not checked", "id=a b&uk=\tz", "a b", "\tz"},
    {"GBK values", "https://pan.baidu.com/share/link?shareid=\xC4\xE3&uk=\xBA\xC3",
     "\xC4\xE3", "\xBA\xC3"},
    // 81 26 is one two-byte character: its second byte is no & for the id.
    {"an & that is a second byte", "?shareid=\x81&x&uk=1", "\x81&x", "1"},
};

TEST_F(GenerateLinksTest, ValuesTakenFromTheAddress) {
    for (const AddressCase& c : kAddressCases) {
        SCOPED_TRACE(c.what);
        boxes.writes.clear();
        Generate(c.address);
        EXPECT_EQ(ShareId().Bytes(), c.shareId);
        EXPECT_EQ(ShareUk().Bytes(), c.shareUk);
        EXPECT_EQ(boxes.writes, kLinkBoxesInOrder);
        for (const LinkService& service : kLinkServices) {
            const std::string link = std::string(service.baseAddress) + std::string(c.shareId) +
                                     "/" + std::string(c.shareUk) + ".mp3";
            EXPECT_EQ(boxes.Box(service.targetBox), link);
        }
    }
}

TEST_F(GenerateLinksTest, OnlyBlanksOrNoValuesGiveTheBareLinks) {
    Generate("   ");
    EXPECT_EQ(boxes.Box(BoxName::编辑框2), "http://" CORVANEL_LINK_HOST_1 "/mp3.php//.mp3");
    EXPECT_EQ(boxes.Box(BoxName::编辑框3), "http://" CORVANEL_LINK_HOST_2 "/bdwp.php//.mp3");
    EXPECT_EQ(boxes.Box(BoxName::编辑框4), "http://" CORVANEL_LINK_HOST_3 "/bdwp.php//.mp3");
}

TEST_F(GenerateLinksTest, EmptyAddressBoxGivesTheMessageInAllThreeBoxes) {
    // Values and links of an earlier action are replaced.
    Generate("https://pan.baidu.com/share/link?shareid=1&uk=2");
    boxes.writes.clear();

    Generate("");
    EXPECT_TRUE(ShareId().IsEmpty());
    EXPECT_TRUE(ShareUk().IsEmpty());
    EXPECT_EQ(boxes.writes, kLinkBoxesInOrder);
    EXPECT_EQ(boxes.Box(BoxName::编辑框2), kEmptyInputMessage);
    EXPECT_EQ(boxes.Box(BoxName::编辑框3), kEmptyInputMessage);
    EXPECT_EQ(boxes.Box(BoxName::编辑框4), kEmptyInputMessage);
    EXPECT_EQ(boxes.Box(BoxName::编辑框1), "");
}

TEST_F(GenerateLinksTest, ALaterActionReplacesValuesAndLinks) {
    Generate("?shareid=111&uk=222");
    Generate("?shareid=3&uk=4");
    EXPECT_EQ(ShareId().Bytes(), "3");
    EXPECT_EQ(ShareUk().Bytes(), "4");
    EXPECT_EQ(boxes.Box(BoxName::编辑框2), "http://" CORVANEL_LINK_HOST_1 "/mp3.php/3/4.mp3");
    EXPECT_EQ(boxes.Box(BoxName::编辑框4), "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/3/4.mp3");
}

TEST_F(GenerateLinksTest, ShutdownCleanupEmptiesBothValues) {
    Generate("?shareid=123&uk=456");
    ASSERT_EQ(ShareId().Bytes(), "123");
    ASSERT_EQ(ShareUk().Bytes(), "456");
    ShutdownCleanup();
    EXPECT_TRUE(ShareId().IsEmpty());
    EXPECT_TRUE(ShareUk().IsEmpty());
    // Releasing values that are already empty does nothing.
    ShutdownCleanup();
    EXPECT_TRUE(ShareId().IsEmpty());
    EXPECT_TRUE(ShareUk().IsEmpty());
}

}  // namespace
}  // namespace corvanel
