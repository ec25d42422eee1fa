pragma Singleton
import QtQuick
import Velk.Design

// Chooses between the Chinese and the English text of a pair. Bindings that
// call t() re-evaluate when the interface language changes, because the
// function reads LanguageManager.current.
QtObject {
    readonly property bool isEnglish: LanguageManager.current === "en"

    function t(zh, en) {
        return LanguageManager.current === "en" ? en : zh
    }

    function sectionTitle(id) {
        return t(AppSection.chineseTitle(id), AppSection.englishTitle(id))
    }
}
