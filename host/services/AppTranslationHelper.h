#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QTranslator;

// Owns the host's translation catalogue. Switching the language installs the new catalogue on
// the application, which delivers QEvent::LanguageChange to every live widget. The chosen
// language is kept in the platform store and restored at the next start.
class AppTranslationHelper : public QObject
{
    Q_OBJECT

public:
    static constexpr int English = 1;
    static constexpr int Chinese = 96;

    static AppTranslationHelper *instance();
    static QString catalogueResource(int language); // empty for an unsupported language

    int currentLanguage() const { return m_language; }
    // Returns false, keeping the current language, for an unknown language or a catalogue that
    // cannot be loaded.
    bool setCurrentLanguage(int language);
    QString getStringAfterTranslation(const QString &text) const;

    ~AppTranslationHelper() override;

signals:
    void languageChanged(int language);

private:
    AppTranslationHelper();
    static void destroyInstance();
    void restoreLanguage();
    bool install(int language, bool remember);

    std::unique_ptr<QTranslator> m_translator;
    int m_language = English;
};
