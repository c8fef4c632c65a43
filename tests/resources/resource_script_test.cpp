// The resource script as the resource compiler reads it: the menu, dialogs and strings carry
// exactly the program's Japanese texts as UTF-16, the templates their sizes, ids and styles, and
// the bitmaps, icon and manifest are all there. Runs windres from the cross toolchain.
#include "bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace korvani::test {
namespace {

// How windres writes a text back: plain when ASCII, otherwise a wide string with \x escapes.
std::string rcText(std::u32string_view text) {
    bool ascii = true;
    for (char32_t c : text) ascii = ascii && c < 0x80;
    std::string out = ascii ? "\"" : "L\"";
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        char escape[16];
        std::snprintf(escape, sizeof escape, "\\x%04x", static_cast<unsigned>(c));
        out += escape;
    }
    return out + "\"";
}

class ResourceScript : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
#ifdef KORVANI_WINDRES
        // One folder per process: CTest runs the cases of this suite side by side.
        std::string dir = ::testing::TempDir() + "korvani-rc-XXXXXX";
        if (mkdtemp(dir.data()) == nullptr) return;
        const std::string out = dir + "/korvani.rc";
        const std::string command =
            std::string(KORVANI_WINDRES) +
            " -i '" KORVANI_SOURCE_DIR "/win/resources/korvani.rc' -O rc -o '" + out + "'";
        const int status = std::system(command.c_str());
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            const std::vector<std::uint8_t> bytes = readBytes(out);
            dump_ = new std::string(bytes.begin(), bytes.end());
        }
        std::remove(out.c_str());
        rmdir(dir.c_str());
#endif
    }
    static void TearDownTestSuite() {
        delete dump_;
        dump_ = nullptr;
    }
    void SetUp() override {
#ifndef KORVANI_WINDRES
        GTEST_SKIP() << "x86_64-w64-mingw32-windres is not installed";
#endif
        ASSERT_NE(dump_, nullptr) << "windres failed on korvani.rc";
    }
    static bool has(const std::string& line) {
        return dump_->find(line) != std::string::npos;
    }

    static std::string* dump_;
};

std::string* ResourceScript::dump_ = nullptr;

// The game menu's items in order: the two buttons' actions stand there too, so the keyboard
// reaches them, and then the import's commands with their keys after a tab.
TEST_F(ResourceScript, MenuHasTheGamePopupWithItsCommands) {
    EXPECT_TRUE(has("101 MENU"));
    const std::string separator = "    MENUITEM SEPARATOR\n";
    const auto item = [](std::u32string_view text, int id) {
        return "    MENUITEM " + rcText(text) + ", " + std::to_string(id) + "\n";
    };
    EXPECT_TRUE(
        has("  POPUP " + rcText(U"ゲーム(&G)") + "\n  BEGIN\n" + item(U"問題を開く(&O)...", 104) +
            item(U"新しい問題を作る(&N)…", 160) + item(U"問題の選択(&S)", 105) +
            item(U"最初から(&R)", 125) + separator + item(U"ファイルから取り込む(&I)…", 151) +
            item(U"問題を貼り付け(&V)\\tCtrl+V", 150) + item(U"問題をコピー(&C)\\tCtrl+C", 152) +
            separator + item(U"一時停止(&P)\\tP", 130) + item(U"記録(&T)…", 131) +
            item(U"バージョン情報(&A)...", 106) + separator + item(U"終了(&X)", 107) +
            "  END\n"));
}

// The edit menu after the game menu, its items in order with their keys after a tab, the view
// menu after it, and the accelerators that the keys name (Z 90, Y 89, H 72), with the game
// menu's Ctrl+V (86), Ctrl+C (67) and P (80).
TEST_F(ResourceScript, EditMenuAndItsAccelerators) {
    const auto item = [](std::u32string_view text, const std::string& keys, int id) {
        std::string quoted = rcText(text);
        if (!keys.empty()) quoted.insert(quoted.size() - 1, "\\t" + keys);
        return "    MENUITEM " + quoted + ", " + std::to_string(id) + "\n";
    };
    const std::string separator = "    MENUITEM SEPARATOR\n";
    const std::string menu =
        rcText(U"終了(&X)") + ", 107\n  END\n  POPUP " + rcText(U"編集(&E)") + "\n  BEGIN\n" +
        item(U"元に戻す(&U)", "Ctrl+Z", 120) + item(U"やり直し(&R)", "Ctrl+Y", 121) +
        item(U"最後の正しい局面に戻る(&B)", "", 126) + separator +
        item(U"候補をすべてメモ(&M)", "", 122) + item(U"メモをすべて消す(&C)", "", 123) +
        separator + item(U"ヒント(&H)", "H", 124) + "  END\n  POPUP " + rcText(U"表示(&V)") +
        "\n  BEGIN\n" + item(U"ダーク(&D)", "", 140) + item(U"誤りをすぐ表示(&M)", "", 141) +
        "  END\nEND\n";
    EXPECT_TRUE(has(menu));
    EXPECT_TRUE(has("ACCELERATORS MOVEABLE PURE DISCARDABLE\nBEGIN\n"
                    "  90, 120, VIRTKEY, CONTROL\n  89, 121, VIRTKEY, CONTROL\n"
                    "  90, 121, VIRTKEY, SHIFT, CONTROL\n  72, 124, VIRTKEY\n"
                    "  86, 150, VIRTKEY, CONTROL\n  67, 152, VIRTKEY, CONTROL\n"
                    "  80, 130, VIRTKEY\nEND"));
}

TEST_F(ResourceScript, StringsNameTheWindowClassAndTitle) {
    EXPECT_TRUE(has("101, \"KORVANI\""));
    EXPECT_TRUE(has("102, \"korvani\""));
}

TEST_F(ResourceScript, BitmapsIconAndManifestArePresentInJapanese) {
    EXPECT_TRUE(has("LANGUAGE 17, 1")); // LANG_JAPANESE, SUBLANG_DEFAULT
    EXPECT_TRUE(has("113 2 /* RT_BITMAP */"));
    EXPECT_TRUE(has("115 2 /* RT_BITMAP */"));
    EXPECT_TRUE(has("103 14 /* RT_GROUP_ICON */"));
    EXPECT_TRUE(has("1 24 /* RT_MANIFEST */"));
}

// DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
constexpr const char* kDialogStyle = "STYLE 0x80c800c0\n";
constexpr const char* kDialogFont = "FONT 9, \"MS UI Gothic\"";

std::string section(const std::string& dump, const std::string& start) {
    const std::size_t from = dump.find(start);
    if (from == std::string::npos) return {};
    return dump.substr(from, dump.find("\nEND", from) - from);
}

TEST_F(ResourceScript, ProblemSelectionDialogTemplate) {
    const std::string d = section(*dump_, "108 DIALOGEX");
    ASSERT_FALSE(d.empty());
    EXPECT_NE(d.find("0, 0, 203, 205\n"), std::string::npos);
    EXPECT_NE(d.find(kDialogStyle), std::string::npos);
    EXPECT_NE(d.find("CAPTION " + rcText(U"問題の選択")), std::string::npos);
    EXPECT_NE(d.find(kDialogFont), std::string::npos);
    EXPECT_NE(d.find("LTEXT \"\", 109, 6, 12, 191, 15,"), std::string::npos);
    // LBS_NOTIFY | LBS_USETABSTOPS | WS_VSCROLL | WS_BORDER | WS_TABSTOP, not sorted
    EXPECT_NE(d.find("CONTROL \"\", 110, \"LISTBOX\", 0x50a10081, 6, 27, 191, 147"),
              std::string::npos);
    EXPECT_NE(d.find("DEFPUSHBUTTON \"OK\", 1, 37, 180, 50, 14,"), std::string::npos);
    EXPECT_NE(d.find("PUSHBUTTON " + rcText(U"キャンセル") + ", 2, 92, 180, 50, 14,"),
              std::string::npos);
    EXPECT_NE(d.find("PUSHBUTTON " + rcText(U"クリア") + ", 115, 147, 180, 50, 14,"),
              std::string::npos);
}

TEST_F(ResourceScript, OpenProblemDialogTemplate) {
    const std::string d = section(*dump_, "111 DIALOGEX");
    ASSERT_FALSE(d.empty());
    EXPECT_NE(d.find("0, 0, 157, 123\n"), std::string::npos);
    EXPECT_NE(d.find(kDialogStyle), std::string::npos);
    EXPECT_NE(d.find("CAPTION " + rcText(U"問題を開く")), std::string::npos);
    EXPECT_NE(d.find(kDialogFont), std::string::npos);
    // LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP: no tab stops, not sorted
    EXPECT_NE(d.find("CONTROL \"\", 112, \"LISTBOX\", 0x50a10001, 6, 12, 145, 80"),
              std::string::npos);
    EXPECT_NE(d.find("DEFPUSHBUTTON \"OK\", 1, 46, 98, 50, 14,"), std::string::npos);
    EXPECT_NE(d.find("PUSHBUTTON " + rcText(U"キャンセル") + ", 2, 101, 98, 50, 14,"),
              std::string::npos);
}

TEST_F(ResourceScript, AboutDialogTemplate) {
    const std::string d = section(*dump_, "116 DIALOGEX");
    ASSERT_FALSE(d.empty());
    EXPECT_NE(d.find("0, 0, 163, 75\n"), std::string::npos);
    EXPECT_NE(d.find(kDialogStyle), std::string::npos);
    EXPECT_NE(d.find("CAPTION " + rcText(U"バージョン情報")), std::string::npos);
    EXPECT_NE(d.find(kDialogFont), std::string::npos);
    EXPECT_NE(d.find("CONTROL 103, -1, \"STATIC\", 0x50000003, 5, 10, 20, 20"), std::string::npos);
    // Right-aligned static texts (SS_RIGHT).
    EXPECT_NE(d.find("RTEXT \"korvani version 1.2\", -1, 35, 10, 110, 15,"), std::string::npos);
    EXPECT_NE(d.find(", -1, 35, 25, 110, 15, 0x50020002"), std::string::npos);
    EXPECT_NE(d.find("PUSHBUTTON \"OK\", 1, 105, 50, 45, 15,"), std::string::npos);
}

TEST(ResourceManifest, RunsAsInvokerAndIsDpiAware) {
    const std::vector<std::uint8_t> bytes =
        readBytes(KORVANI_SOURCE_DIR "/win/resources/korvani.manifest");
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                            "WindowsSettings\">true</dpiAware>"),
              std::string::npos);
    // Per-monitor V2 where Windows knows it; the line above serves older systems.
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">PerMonitorV2</dpiAwareness>"),
              std::string::npos);
}

} // namespace
} // namespace korvani::test
