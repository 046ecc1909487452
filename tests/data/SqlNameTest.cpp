// Names written into SQL read back as themselves: the engine's reader takes the bracketed form
// back whole, and the sort text gives the name again, in each dialect.
#include "data/SqlName.h"

#include "data/jet/Lexer.h"

#include <gtest/gtest.h>

TEST(SqlName, EveryNameReadsBackAsItself) {
    // name, as Jet and the ODBC bridge write it, as Oracle writes it
    const struct {
        QString name, bracketed, oracle;
    } cases[] = {
        {"Amount", "[Amount]", "\"Amount\""},
        {"AMOUNT", "[AMOUNT]", "AMOUNT"},
        {"ORDER_ID2$#", "[ORDER_ID2$#]", "ORDER_ID2$#"},
        {"DATE", "[DATE]", "\"DATE\""},
        {"_X", "[_X]", "\"_X\""},
        {"2024", "[2024]", "\"2024\""},
        {"Amount] * 1000 + [Amount", "[Amount]] * 1000 + [Amount]", "\"Amount] * 1000 + [Amount\""},
        {"]", "[]]]", "\"]\""},
        {"Other$] AS [t$", "[Other$]] AS [t$]", "\"Other$] AS [t$\""},
        {"Say \"Hi\"", "[Say \"Hi\"]", "\"Say \"\"Hi\"\"\""},
        {"Joe's", "[Joe's]", "\"Joe's\""},
        {"Unit.Price", "[Unit.Price]", "\"Unit.Price\""},
        {"ÄRGER", "[ÄRGER]", "\"ÄRGER\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(data::sqlName(c.name, data::Dialect::Jet), c.bracketed);
        EXPECT_EQ(data::sqlName(c.name, data::Dialect::OdbcBridge), c.bracketed);
        EXPECT_EQ(data::sqlName(c.name, data::Dialect::Oracle), c.oracle);
        EXPECT_EQ(data::nameOf(c.bracketed), c.name);
        EXPECT_EQ(data::nameOf(c.oracle), c.name);

        // The engine reads one name, whole, and nothing after it.
        const auto tokens = data::jet::tokenize(c.bracketed + " AS x");
        ASSERT_EQ(tokens.size(), 4u);
        EXPECT_EQ(tokens[0].kind, data::jet::TokenKind::Name);
        EXPECT_EQ(tokens[0].parts, QStringList{c.name});
    }
}
