#include "res/DialogTemplate.h"

#include "res/HomePage.h"
#include "res/ResourceIds.h"

#include <array>
#include <map>
#include <stdexcept>

namespace drawbook {

namespace {

using namespace style;
using K = ControlKind;

constexpr const char* kFont = "ＭＳ Ｐゴシック";
constexpr int kPointSize = 9;

DialogTemplate AboutBox() {
    return {IDD_ABOUTBOX,
            "SOMARU屋ナンバーズのﾊﾞｰｼﾞｮﾝ情報",
            235,
            55,
            kFont,
            kPointSize,
            0,
            {
                {IDC_STATIC, K::Icon, "", {11, 17, 20, 20}},
                {IDC_STATIC, K::Label, "SOMARU屋  ナンバーズ     Version 2.00", {40, 10, 119, 8}, NoPrefix},
                {IDOK, K::DefPushButton, "OK", {178, 34, 50, 14}, TabStop | Group},
                {IDC_HOMEPAGE,
                 K::PushButton,
                 std::string("HP --  ") + kHomePageAddress,
                 {39, 34, 119, 14},
                 Flat | LeftText},
            }};
}

DialogTemplate MainMenu() {
    return {IDD_MAIN_MENU,
            "SOMARU屋ナンバーズ",
            123,
            81,
            kFont,
            kPointSize,
            AppWindow,
            {
                {IDOK, K::DefPushButton, "閉　　　じ　　　る", {7, 54, 108, 21}, TabStop},
                {IDC_NUMBERS3, K::PushButton, "ナンバーズ　３", {7, 3, 53, 28}, TabStop},
                {IDC_NUMBERS4, K::PushButton, "ナンバーズ　４", {62, 3, 53, 28}, TabStop},
                {IDC_HELP_BUTTON, K::PushButton, "ヘ　　ル　　プ", {7, 33, 53, 20}, TabStop},
                {IDC_VERSION, K::PushButton, "バージョン情報", {62, 33, 53, 20}, TabStop},
            }};
}

// The prediction group and everything after it, which both game windows share but for a few places.
void AddPredictionControls(std::vector<ControlTemplate>& c, bool four) {
    c.push_back({IDC_NEXT_DRAW, K::Edit, "", {28, 18, 20, 12}, ReadOnly | Center});
    c.push_back({IDC_STATIC, K::Label, "第", {18, 18, 8, 8}});
    c.push_back({IDC_STATIC, K::Label, "回開催予想", {50, 18, 35, 8}});
    c.push_back({IDC_PRED1, K::Edit, "", {23, 42, 40, 14}, Center | Border});
    c.push_back({IDC_PRED2, K::Edit, "", {88, 42, 40, 14}, Center | Border});
    c.push_back({IDC_PRED3, K::Edit, "", {153, 42, 40, 14}, Center | Border});
    c.push_back({IDC_PRED4, K::Edit, "", {218, 42, 40, 14}, Center | Border});
    c.push_back({IDC_PRED5, K::Edit, "", {282, 42, 40, 14}, Center | Border});
    c.push_back({IDC_PREDICT, K::PushButton, "予　　想", {283, 18, 40, 17}});
    if (four) {
        c.push_back({IDC_STATIC, K::Label, "検索件数---", {7, 254, 39, 8}, StickBottom});
        c.push_back({IDC_COUNT4, K::Edit, "", {45, 254, 23, 12}, ReadOnly | Center | StickBottom});
        c.push_back({IDC_STATIC, K::Label, "件", {70, 254, 8, 8}, StickBottom});
        c.push_back({IDC_REGISTER, K::PushButton, "登　　　録", {126, 268, 100, 26}, TabStop | StickBottom});
    } else {
        c.push_back({IDC_STATIC, K::Label, "検索件数---", {7, 252, 39, 8}, StickBottom});
        c.push_back({IDC_COUNT3, K::Edit, "", {57, 252, 24, 12}, ReadOnly | StickBottom});
        c.push_back({IDC_STATIC, K::Label, "件", {81, 251, 8, 8}, StickBottom});
        c.push_back({IDC_REGISTER, K::PushButton, "登　　　録", {127, 268, 100, 26}, StickBottom});
    }
}

const ControlTemplate kSearchGroup{IDC_STATIC, K::GroupBox, "　　検　　索　　", {7, 74, 336, 47}};
const ControlTemplate kPredictGroup{IDC_STATIC, K::GroupBox, "　　予　　想　　", {7, 5, 336, 57}};
const ControlTemplate kSearchButton{IDC_SEARCH, K::PushButton, "検　　索", {250, 91, 50, 23}, TabStop};
const ControlTemplate kClearButton{IDC_CLEAR, K::PushButton, "クリア", {304, 91, 33, 23}, TabStop};
const ControlTemplate kListAllButton{IDC_LIST_ALL, K::PushButton, "一覧表示", {17, 91, 59, 23}};

DialogTemplate Numbers3() {
    std::vector<ControlTemplate> c = {
        {IDC_N100, K::Edit, "", {146, 99, 15, 15}, Border | TabStop},
        {IDC_N10, K::Edit, "", {183, 99, 15, 15}, Border | TabStop},
        {IDC_N1, K::Edit, "", {220, 99, 15, 15}, Border | TabStop},
        kSearchButton,
        kClearButton,
        {IDOK, K::DefPushButton, "閉　　じ　　る", {243, 268, 100, 26}, StickRight | StickBottom},
        {IDC_DRAW_LIST, K::ListView, "", {7, 129, 336, 120}, SingleSel | ShowSelAlways | Border | GrowRight | GrowDown},
        kSearchGroup,
        kListAllButton,
        {IDC_BOX, K::RadioButton, "ボックス", {95, 91, 39, 10}, Group},
        {IDC_STRAIGHT, K::RadioButton, "ストレート", {95, 104, 44, 10}},
        {IDC_STATIC, K::Label, "三桁目", {144, 88, 22, 8}, Group},
        {IDC_STATIC, K::Label, "二桁目", {180, 88, 22, 8}},
        {IDC_STATIC, K::Label, "一桁目", {217, 88, 22, 8}},
        {IDC_GAME_HELP, K::PushButton, "ヘ　　ル　　プ", {7, 268, 100, 26}, StickBottom},
        kPredictGroup,
    };
    AddPredictionControls(c, false);
    return {IDD_NUMBERS3, "SOMARU屋　ナンバーズ３　予想＆検索", 350, 301, kFont, kPointSize, Resizable, std::move(c)};
}

DialogTemplate Numbers4() {
    std::vector<ControlTemplate> c = {
        {IDC_N1000, K::Edit, "", {137, 100, 15, 15}, Border | TabStop | Center},
        {IDC_N100, K::Edit, "", {166, 99, 15, 15}, Border | TabStop | Center},
        {IDC_N10, K::Edit, "", {196, 99, 15, 15}, Border | TabStop | Center},
        {IDC_N1, K::Edit, "", {225, 99, 15, 15}, Border | TabStop | Center},
        kSearchButton,
        kClearButton,
        {IDOK, K::DefPushButton, "閉　　じ　　る", {243, 269, 100, 25}, StickRight | StickBottom},
        {IDC_DRAW_LIST, K::ListView, "", {7, 132, 336, 120}, Border | GrowRight | GrowDown},
        {IDC_GAME_HELP, K::PushButton, "ヘ　　ル　　プ", {7, 269, 100, 25}, StickBottom},
        kSearchGroup,
        kPredictGroup,
        kListAllButton,
        {IDC_BOX, K::RadioButton, "ボックス", {89, 91, 39, 10}, Group},
        {IDC_STRAIGHT, K::RadioButton, "ストレート", {89, 104, 44, 10}},
        {IDC_STATIC, K::Label, "四桁目", {135, 89, 22, 8}, Group},
        {IDC_STATIC, K::Label, "三桁目", {164, 88, 22, 8}},
        {IDC_STATIC, K::Label, "二桁目", {193, 88, 22, 8}},
        {IDC_STATIC, K::Label, "一桁目", {222, 88, 22, 8}},
    };
    AddPredictionControls(c, true);
    return {IDD_NUMBERS4, "SOMARU屋　ナンバーズ４　予想＆検索", 350, 301, kFont, kPointSize, Resizable, std::move(c)};
}

DialogTemplate Register() {
    constexpr std::uint32_t kField = Border | Center | TabStop;
    std::vector<ControlTemplate> c = {
        {IDC_REG_N100_3, K::Edit, "", {91, 35, 44, 12}, kField},
        {IDC_REG_N10_3, K::Edit, "", {146, 35, 40, 12}, kField},
        {IDC_REG_N1_3, K::Edit, "", {196, 35, 40, 12}, kField},
        {IDC_REG_PRED3_1, K::Edit, "", {14, 88, 33, 12}, kField},
        {IDC_REG_PRED3_2, K::Edit, "", {65, 88, 31, 12}, kField},
        {IDC_REG_PRED3_3, K::Edit, "", {114, 88, 33, 12}, kField},
        {IDC_REG_PRED3_4, K::Edit, "", {167, 88, 33, 12}, kField},
        {IDC_REG_PRED3_5, K::Edit, "", {219, 88, 33, 12}, kField},
        {IDC_REG_N1000_4, K::Edit, "", {92, 149, 23, 12}, kField},
        {IDC_REG_N100_4, K::Edit, "", {133, 149, 23, 12}, kField},
        {IDC_REG_N10_4, K::Edit, "", {173, 149, 22, 12}, kField},
        {IDC_REG_N1_4, K::Edit, "", {214, 149, 22, 12}, kField},
        {IDC_REG_PRED4_1, K::Edit, "", {14, 202, 33, 12}, kField},
        {IDC_REG_PRED4_2, K::Edit, "", {65, 202, 31, 12}, kField},
        {IDC_REG_PRED4_3, K::Edit, "", {114, 202, 33, 12}, kField},
        {IDC_REG_PRED4_4, K::Edit, "", {167, 202, 33, 12}, kField},
        {IDC_REG_PRED4_5, K::Edit, "", {219, 202, 33, 12}, kField},
        {IDC_REG_ADD, K::PushButton, "追　　加", {11, 232, 93, 25}, TabStop},
        {IDOK, K::DefPushButton, "閉　じ　る", {163, 231, 93, 25}},
        {IDC_REG_DRAW3, K::Edit, "", {27, 35, 51, 12}, Border | Center | ReadOnly},
        {IDC_REG_DRAW4, K::Edit, "", {27, 149, 39, 12}, Border | Center | ReadOnly},
        {IDC_STATIC, K::GroupBox, "ナンバーズ３　登録", {10, 7, 245, 102}},
        {IDC_STATIC, K::GroupBox, "ナンバーズ４　登録", {10, 121, 245, 102}},
        {IDC_STATIC, K::Label, "開催回数", {36, 21, 28, 8}},
        {IDC_STATIC, K::Label, "三桁", {106, 21, 15, 8}},
        {IDC_STATIC, K::Label, "二桁", {161, 21, 15, 8}},
        {IDC_STATIC, K::Label, "一桁", {205, 21, 15, 8}},
        {IDC_STATIC, K::Label, "開催回数", {36, 135, 28, 8}},
        {IDC_STATIC, K::Label, "四桁", {97, 134, 15, 8}},
        {IDC_STATIC, K::Label, "三桁", {136, 135, 15, 8}},
        {IDC_STATIC, K::Label, "二桁", {176, 135, 15, 8}},
        {IDC_STATIC, K::Label, "一桁", {217, 135, 15, 8}},
    };
    // "予想数字１" to "予想数字５" above the numbers of each game.
    constexpr std::array<int, 5> kNumberLabelX = {15, 64, 113, 166, 221};
    constexpr std::array<const char*, 5> kNumberLabels = {"予想数字１", "予想数字２", "予想数字３", "予想数字４",
                                                          "予想数字５"};
    for (const int y : {72, 186}) {
        for (std::size_t i = 0; i < kNumberLabels.size(); ++i) {
            c.push_back({IDC_STATIC, K::Label, kNumberLabels[i], {kNumberLabelX[i], y, 33, 8}});
        }
    }
    return {IDD_REGISTER, "SOMARU屋　ナンバーズ　登録", 266, 263, kFont, kPointSize, 0, std::move(c)};
}

DialogTemplate EditDraw() {
    return {IDD_EDIT_DRAW,
            "　　編　集",
            259,
            133,
            kFont,
            kPointSize,
            0,
            {
                {IDOK, K::DefPushButton, "閉　じ　る", {171, 106, 81, 20}, TabStop},
                {IDC_EDIT_LABEL1, K::Edit, "", {17, 34, 35, 12}, ReadOnly | Center},
                {IDC_EDIT_LABEL2, K::Edit, "", {80, 34, 35, 12}, ReadOnly | Center},
                {IDC_EDIT_LABEL3, K::Edit, "", {143, 34, 35, 12}, ReadOnly | Center},
                {IDC_EDIT_LABEL4, K::Edit, "", {206, 34, 35, 12}, ReadOnly | Center},
                {IDC_EDIT_DIGIT1, K::Edit, "", {17, 46, 35, 12}, Center | Border | TabStop},
                {IDC_EDIT_DIGIT2, K::Edit, "", {80, 46, 35, 12}, Center | Border | TabStop},
                {IDC_EDIT_DIGIT3, K::Edit, "", {143, 46, 35, 12}, Center | Border | TabStop},
                {IDC_EDIT_DIGIT4, K::Edit, "", {206, 46, 35, 12}, Center | Border | TabStop},
                {IDC_EDIT_NUMBER1, K::Edit, "", {9, 86, 48, 12}, Center | Border | TabStop},
                {IDC_EDIT_NUMBER2, K::Edit, "", {57, 86, 48, 12}, Center | Border | TabStop},
                {IDC_EDIT_NUMBER3, K::Edit, "", {105, 86, 48, 12}, Center | Border | TabStop},
                {IDC_EDIT_NUMBER4, K::Edit, "", {153, 86, 48, 12}, Center | Border | TabStop},
                {IDC_EDIT_NUMBER5, K::Edit, "", {201, 86, 48, 12}, Center | Border | TabStop},
                {IDC_EDIT_DRAW_NO, K::Edit, "", {24, 11, 23, 12}, ReadOnly | Center},
                {IDC_EDIT_STORE, K::PushButton, "登　　録", {7, 106, 81, 20}, TabStop},
                {IDC_STATIC, K::Label, "第", {16, 11, 8, 8}},
                {IDC_STATIC, K::Label, "回開催", {47, 11, 22, 8}},
                {IDC_EDIT_UP, K::PushButton, "上", {73, 9, 20, 11}, TabStop},
                {IDC_EDIT_DOWN, K::PushButton, "下", {99, 9, 20, 11}, TabStop},
                {IDC_EDIT_BY_TEN, K::CheckBox, "×１０", {125, 9, 26, 11}, PushLike | TabStop},
                {IDC_STATIC, K::GroupBox, "予想数字　＆　購入数字", {7, 66, 245, 39}, Center},
                {IDC_EDIT_GAME, K::Edit, "", {212, 7, 40, 14}, Hidden},
                {IDC_EDIT_CLEAR_NUMBERS, K::PushButton, "予想数字クリア", {9, 73, 48, 12}, TabStop},
            }};
}

DialogTemplate FeedSettings() {
    return {IDD_FEED_SETTINGS,
            "取り込み元の設定",
            300,
            104,
            kFont,
            kPointSize,
            0,
            {
                {IDC_STATIC, K::Label, "ナンバーズ３の当せん番号ファイル（URL）", {7, 7, 286, 8}},
                {IDC_FEED_URL3, K::Edit, "", {7, 17, 286, 12}, Border | TabStop},
                {IDC_STATIC, K::Label, "ナンバーズ４の当せん番号ファイル（URL）", {7, 36, 286, 8}},
                {IDC_FEED_URL4, K::Edit, "", {7, 46, 286, 12}, Border | TabStop},
                {IDC_STATIC,
                 K::Label,
                 "https://、http://、file:// で始まるURLが使えます。空欄にすると、はじめの取り込み元に戻ります。",
                 {7, 64, 286, 8}},
                {IDOK, K::DefPushButton, "ＯＫ", {181, 83, 54, 14}, TabStop | Group},
                {IDCANCEL, K::PushButton, "キャンセル", {239, 83, 54, 14}, TabStop},
            }};
}

DialogTemplate Tickets() {
    constexpr std::uint32_t kField = Border | Center | TabStop;
    std::vector<ControlTemplate> c = {
        {IDC_STATIC, K::Label, "開催回", {14, 20, 24, 8}},    {IDC_TK_DRAW, K::Edit, "", {40, 18, 32, 12}, kField},
        {IDC_STATIC, K::Label, "数字", {84, 20, 16, 8}},      {IDC_TK_NUMBER, K::Edit, "", {102, 18, 40, 12}, kField},
        {IDC_STATIC, K::Label, "予想数字", {152, 20, 30, 8}}, {IDC_TK_PRED1, K::PushButton, "", {184, 17, 26, 14}},
        {IDC_TK_PRED2, K::PushButton, "", {212, 17, 26, 14}}, {IDC_TK_PRED3, K::PushButton, "", {240, 17, 26, 14}},
        {IDC_TK_PRED4, K::PushButton, "", {268, 17, 26, 14}}, {IDC_TK_PRED5, K::PushButton, "", {296, 17, 26, 14}},
    };
    // A check box and its 口数 for each bet, in the order every list shows them.
    constexpr std::array<std::array<int, 2>, 4> kBetIds = {{{IDC_TK_STRAIGHT, IDC_TK_STRAIGHT_UNITS},
                                                            {IDC_TK_BOX, IDC_TK_BOX_UNITS},
                                                            {IDC_TK_SET, IDC_TK_SET_UNITS},
                                                            {IDC_TK_MINI, IDC_TK_MINI_UNITS}}};
    constexpr std::array<const char*, 4> kBetCaptions = {"ストレート", "ボックス", "セット", "ミニ"};
    for (std::size_t i = 0; i < kBetIds.size(); ++i) {
        const int x = 14 + static_cast<int>(i) * 78;
        c.push_back({kBetIds[i][0], K::CheckBox, kBetCaptions[i], {x, 42, 46, 10}, TabStop});
        c.push_back({kBetIds[i][1], K::Edit, "", {x + 46, 41, 18, 12}, kField});
        c.push_back({IDC_STATIC, K::Label, "口", {x + 66, 43, 8, 8}});
    }
    c.insert(c.end(),
             {
                 {IDC_TK_CONTINUE, K::CheckBox, "継続", {14, 64, 28, 10}, TabStop},
                 {IDC_TK_DRAWS, K::Edit, "", {44, 63, 18, 12}, kField},
                 {IDC_STATIC, K::Label, "回分", {66, 65, 20, 8}},
                 // Enter adds what was typed rather than closing over it.
                 {IDC_TK_ADD, K::DefPushButton, "追　加", {254, 59, 68, 18}, TabStop},
                 {IDC_STATIC, K::GroupBox, "購入する券", {7, 5, 322, 78}},
                 {IDC_TK_LIST, K::ListView, "", {7, 89, 322, 132}, ShowSelAlways | Border | GrowRight | GrowDown},
                 {IDC_TK_DELETE, K::PushButton, "削　除", {7, 227, 68, 18}, TabStop | StickBottom},
                 {IDOK, K::PushButton, "閉　じ　る", {261, 227, 68, 18}, TabStop | StickRight | StickBottom},
             });
    return {IDD_TICKETS, "SOMARU屋　ナンバーズ　購入記録", 336, 252, kFont, kPointSize, Resizable, std::move(c)};
}

constexpr std::array<int, 8> kIds = {IDD_ABOUTBOX, IDD_MAIN_MENU, IDD_NUMBERS3,      IDD_NUMBERS4,
                                     IDD_REGISTER, IDD_EDIT_DRAW, IDD_FEED_SETTINGS, IDD_TICKETS};

} // namespace

const DialogTemplate& FindDialogTemplate(int id) {
    static const std::map<int, DialogTemplate> templates = {
        {IDD_ABOUTBOX, AboutBox()},          {IDD_MAIN_MENU, MainMenu()}, {IDD_NUMBERS3, Numbers3()},
        {IDD_NUMBERS4, Numbers4()},          {IDD_REGISTER, Register()},  {IDD_EDIT_DRAW, EditDraw()},
        {IDD_FEED_SETTINGS, FeedSettings()}, {IDD_TICKETS, Tickets()},
    };
    return templates.at(id);
}

std::span<const int> DialogTemplateIds() {
    return kIds;
}

std::string LoadString(int id) {
    if (id == IDS_ABOUTBOX) {
        // The blank before の is an ASCII space; the katakana are half-width.
        return "SOMARU屋ナンバーズ のﾊﾞｰｼﾞｮﾝ情報(&A)...";
    }
    return {};
}

} // namespace drawbook
