#include "tools/bench_texts.h"

#include <QStringList>

namespace indikt {

namespace {

const QStringList& Words()
{
    static const QStringList words = QString::fromUtf8(
        "свет слово память день храм молитва вера надежда любовь милость тишина путь сердце душа "
        "мир покой радость хвала песнь благодать крепость терпение смирение кротость правда истина "
        "жизнь сила слава народ город пустыня гора река море поле сад дом брат сестра отец мать "
        "учитель ученик книга свеча икона лампада утро вечер ночь звезда солнце небо земля ветер "
        "вода хлеб плод труд пост праздник седмица служба чтение пение колокол врата стена "
        "светлый тихий добрый древний новый великий малый святой честной верный кроткий смиренный "
        "пришел ушел видел слышал молился трудился пел читал служил учил строил хранил просил "
        "и в на с по для от до за при о во со").split(u' ');
    return words;
}

const QStringList& Names()
{
    static const QStringList names = QString::fromUtf8(
        "Агапия Варфоломея Григория Дорофея Евфимия Зосимы Илариона Каллиста Леонтия Макария "
        "Никиты Онуфрия Паисия Романа Саввы Тимофея Феодора Харитона Юлиана Ярополка "
        "Анисии Веры Галины Дарии Евдокии Зинаиды Ирины Клавдии Лидии Марины").split(u' ');
    return names;
}

}  // namespace

QString FillerText::Word()
{
    return Words()[Below(int(Words().size()))];
}

QString FillerText::Name()
{
    return Names()[Below(int(Names().size()))];
}

QString FillerText::Sentence()
{
    QString sentence = Word();
    sentence[0] = sentence[0].toUpper();
    const int count = Between(6, 16);
    for (int i = 1; i < count; ++i) {
        sentence += i % 7 == 0 ? ", " : " ";
        sentence += Word();
    }
    return sentence + u'.';
}

QString FillerText::Text(int chars)
{
    QString text = Sentence();
    while (text.size() < chars)
        text += u' ' + Sentence();
    return text;
}

}  // namespace indikt
