#include "games/ui/lotto_reg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/lottor_data.h"
#include "game_window_test.h"
#include "games/ui/lotto_template.h"
#include "platform/gbk.h"

namespace kelton::test {
namespace {

using namespace Qt::StringLiterals;

class LottoRegTest : public GameWindowTest {
protected:
    static QString Info(const FLottoReg& reg) { return reg.TxtLottorInfo()->toPlainText(); }
    static QString Shown(const QString& text) { return QString(text).replace(u"\r\n"_s, u"\n"_s); }

    // The next template list takes the template of that name with OK.
    void TakeTemplate(const QString& name)
    {
        OnModal<FLottoTemplate>([name](FLottoTemplate& list) {
            const QList<QListWidgetItem*> items = list.LstTemplate()->findItems(name, Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            list.LstTemplate()->setCurrentItem(items.front());
            list.CmdOK()->click();
        });
    }

    void WriteTemplate(const QString& name, const QString& text)
    {
        QFile file(ProgramPath(QLatin1String(kTemplateFolder)) + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ToGbk(text));
    }
};

TEST_F(LottoRegTest, EveryBoxRewritesTheDefinitionText)
{
    FLottoReg reg;
    EXPECT_TRUE(Info(reg).isEmpty());
    reg.txtBcMain()->setText(u"3"_s);
    EXPECT_EQ(Info(reg), Shown(DefinitionText(reg.Params())));
    EXPECT_TRUE(Info(reg).startsWith(u"[LOTTONAME]\n\n[BCDATANAME]\n\n[BCDATALEN]\n\n[BCMAIN]\n3\n"_s));
    // Edits made in the text by hand go with the next change of a box.
    reg.TxtLottorInfo()->setPlainText(u"by hand"_s);
    reg.txtWinMod()->setPlainText(u"[CUSTOMSTAT]\n20"_s);
    EXPECT_TRUE(Info(reg).endsWith(u"[MRMAIN]\n\n[CUSTOMSTAT]\n20\n"_s));
}

TEST_F(LottoRegTest, TemplateFillsTheBoxesWithTheAcceptedDefinition)
{
    FLottoReg reg;
    OnModal<FLottoTemplate>([](FLottoTemplate& list) {
        EXPECT_EQ(list.LstTemplate()->count(), 2); // the two shipped templates
        list.LstTemplate()->setCurrentRow(0);
        EXPECT_TRUE(list.TxtLottorInfo()->toPlainText().startsWith(u"[LOTTONAME]\n福彩3D\n"_s));
        list.CmdOK()->click();
    });
    reg.CmdImport()->click();
    EXPECT_EQ(reg.txtLottorName()->text(), u"福彩3D"_s);
    EXPECT_EQ(reg.txtBcDataName()->text(), u"常规"_s);
    EXPECT_EQ(reg.txtBcDataLen()->text(), u"9"_s);
    EXPECT_EQ(reg.txtBcMain()->text(), u"3"_s);
    EXPECT_EQ(reg.txtMrDataName()->text(), u"特别"_s);
    EXPECT_EQ(reg.txtMrDataLen()->text(), u"0"_s);
    EXPECT_EQ(reg.txtMrMain()->text(), u"0"_s);
    EXPECT_TRUE(reg.txtWinMod()->toPlainText().contains(u"MODX=1,MODL0=0,MODL1=1040"_s));
    EXPECT_EQ(Info(reg), Shown(DefinitionText(reg.Params())));
    EXPECT_TRUE(m_boxes.Texts.isEmpty());
}

TEST_F(LottoRegTest, TemplateTextIsHandedOverOnce)
{
    FLottoTemplate list;
    list.LstTemplate()->setCurrentRow(1);
    EXPECT_TRUE(list.TxtLottorInfo()->toPlainText().startsWith(u"[LOTTONAME]\nPick 3\n"_s));
    // A template gone meanwhile leaves the preview as it was.
    ASSERT_TRUE(QFile::remove(ProgramPath(QLatin1String(kTemplateFolder)) + u"/3D.Ltr"_s));
    list.LstTemplate()->setCurrentRow(0);
    EXPECT_TRUE(list.TxtLottorInfo()->toPlainText().startsWith(u"[LOTTONAME]\nPick 3\n"_s));
    list.CmdOK()->click();
    EXPECT_TRUE(list.LottorInfo().startsWith(u"[LOTTONAME]\r\nPick 3\r\n"_s));
    EXPECT_TRUE(list.LottorInfo().isEmpty());
}

TEST_F(LottoRegTest, RefusedOrMissingTemplateKeepsTheBoxes)
{
    WriteTemplate(u"bad.Ltr"_s, u"[LOTTONAME]\r\n坏\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"
                                "[MRDATALEN]\r\n2\r\n[MRMAIN]\r\n3\r\n"_s);
    FLottoReg reg;
    reg.txtLottorName()->setText(u"mine"_s);
    TakeTemplate(u"bad.Ltr"_s);
    reg.CmdImport()->click();
    EXPECT_EQ(m_boxes.Texts, QStringList{u"导入失败！"_s});
    EXPECT_EQ(m_boxes.Titles, QStringList{u"操作提示"_s});
    EXPECT_EQ(reg.txtLottorName()->text(), u"mine"_s);

    // Closed without a template, or OK with none chosen: only the text is rebuilt.
    OnModal<FLottoTemplate>([](FLottoTemplate&) {});
    OnModal<FLottoTemplate>([](FLottoTemplate& list) { list.CmdOK()->click(); });
    reg.TxtLottorInfo()->setPlainText(u"by hand"_s);
    reg.CmdImport()->click();
    EXPECT_EQ(Info(reg), Shown(DefinitionText(reg.Params())));
    reg.CmdImport()->click();
    EXPECT_EQ(reg.txtLottorName()->text(), u"mine"_s);
    EXPECT_EQ(m_boxes.Texts.size(), 1);
}

TEST_F(LottoRegTest, OkCreatesTheGameUnderTheFirstFreeNumber)
{
    FLottoReg reg;
    TakeTemplate(u"3D.Ltr"_s);
    reg.CmdImport()->click();
    reg.txtLottorName()->setText(u"我的3D"_s);
    reg.CmdOK()->click();
    EXPECT_EQ(reg.result(), QDialog::Accepted);
    EXPECT_TRUE(reg.ClickOk());
    EXPECT_EQ(reg.LottorPath(), u"Lottor/lottor1000"_s);
    EXPECT_EQ(reg.LottorName(), u"我的3D"_s);
    CLottorData game;
    ASSERT_FALSE(game.OpenData(1, reg.LottorPath()));
    EXPECT_EQ(game.HeadData.LottorName, u"我的3D"_s);
    EXPECT_EQ(game.HeadData.WinMod(1, 0, 1).ToText(), u"1040"_s);
}

TEST_F(LottoRegTest, RefusedParametersKeepTheDialogOpen)
{
    const QString created = Path(u"Lottor/lottor1000"_s);
    struct Case {
        const char16_t* name;
        const char16_t* bcDataName;
        const char16_t* bcDataLen;
        const char16_t* bcMain;
        const char16_t* message; // a part of it
    };
    const Case cases[] = {
        {u"", u"", u"", u"", u"无法创建新彩票玩法,请查看参数设置是否正确!"},
        {u"G", u"", u"2", u"3", u"无法创建新彩票玩法,请查看参数设置是否正确!"},
        // Names a definition text cannot hold are refused by name.
        {u"[3D]", u"", u"9", u"3", u"“彩票名称”不能写成用 [ ] 括起来的样子"},
        {u"'3D", u"", u"9", u"3", u"“彩票名称”不能以 ' 开头"},
        {u"3D", u"[常规]", u"9", u"3", u"“主区名称”不能写成用 [ ] 括起来的样子"},
    };
    for (const Case& c : cases) {
        m_boxes.Texts.clear();
        m_boxes.Titles.clear();
        FLottoReg reg;
        reg.show();
        reg.txtLottorName()->setText(QString::fromUtf16(c.name));
        reg.txtBcDataName()->setText(QString::fromUtf16(c.bcDataName));
        reg.txtBcDataLen()->setText(QString::fromUtf16(c.bcDataLen));
        reg.txtBcMain()->setText(QString::fromUtf16(c.bcMain));
        const QString before = Info(reg);
        reg.CmdOK()->click();
        ASSERT_EQ(m_boxes.Texts.size(), 1) << QString::fromUtf16(c.name).toStdString();
        EXPECT_TRUE(m_boxes.Texts.front().contains(QString::fromUtf16(c.message)))
            << m_boxes.Texts.front().toStdString();
        EXPECT_EQ(m_boxes.Titles.front(), u"操作提示！"_s);
        EXPECT_TRUE(reg.isVisible());
        EXPECT_FALSE(reg.ClickOk());
        EXPECT_EQ(Info(reg), before);
        EXPECT_FALSE(QFileInfo::exists(created));
    }
}

TEST_F(LottoRegTest, CancelCreatesNothing)
{
    FLottoReg reg;
    reg.show();
    TakeTemplate(u"Pick3.Ltr"_s);
    reg.CmdImport()->click();
    reg.cmdCancel()->click();
    EXPECT_EQ(reg.result(), QDialog::Rejected);
    EXPECT_FALSE(reg.ClickOk());
    EXPECT_TRUE(reg.LottorPath().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path(u"Lottor"_s)));
}

} // namespace
} // namespace kelton::test
