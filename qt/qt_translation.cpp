#include "qt_translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

// Qt's catalogue, with one word brought up to current usage: it writes 撤消 for Undo,
// where Windows and every current Chinese program write 撤销.
class QtChineseTranslator : public QTranslator {
public:
    bool loadCatalogue()
    {
        // Stored uncompressed in the program, so the catalogue is read in place.
        return m_catalogue.load(QStringLiteral(":/translations/qtbase_zh_CN.qm"));
    }

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        QString text = m_catalogue.translate(context, sourceText, disambiguation, n);
        text.replace(QStringLiteral("撤消"), QStringLiteral("撤销"));
        return text;
    }

    bool isEmpty() const override { return m_catalogue.isEmpty(); }

private:
    QTranslator m_catalogue;
};

} // namespace

bool installQtTranslation()
{
    // One translator for the life of the application.
    static QtChineseTranslator translator;
    if (!translator.isEmpty())
        return true;
    return translator.loadCatalogue() && QCoreApplication::installTranslator(&translator);
}
