#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "problems/answer.h"
#include "problems/problem.h"
#include "reader/reader.h"
#include "worksheet/fraction.h"

// Problems worded the way Bulgarian textbooks and the national assessment word them, with what
// is really pasted around them. A wrong answer is the one fault the reader must never have; a
// text it cannot read is a miss, and a few misses are allowed.

namespace {

// The quantities a text asks for, in the order its question asks them.
struct Answers {
  std::vector<Amount> amounts;
};
// The stem's answers and the option that holds them; none where no option does.
struct Choice {
  std::vector<Amount> amounts;
  std::optional<std::size_t> right;
};
// The parts' masses as first : second, in lowest terms.
struct InRatio {
  std::int64_t first;
  std::int64_t second;
};
// A price per kilogram: the model has no unit for money, so only its value is compared.
struct Price {
  Fraction perKilogram;
};
// The answers of the sub-questions "а)", "б)", in their order.
struct SubQuestions {
  std::vector<std::vector<Amount>> parts;
};
using Expected = std::variant<Answers, Choice, InRatio, Price, SubQuestions, Doubt>;

struct Row {
  std::string_view text;
  Expected expected;
};

Amount Grams(std::int64_t numerator, std::int64_t denominator = 1) {
  return {Fraction::Of(numerator, denominator), WrittenUnit::Gram};
}
Amount Kilograms(std::int64_t numerator, std::int64_t denominator = 1) {
  return {Fraction::Of(numerator, denominator), WrittenUnit::Kilogram};
}
Amount Tonnes(std::int64_t numerator, std::int64_t denominator = 1) {
  return {Fraction::Of(numerator, denominator), WrittenUnit::Tonne};
}
Amount Litres(std::int64_t numerator, std::int64_t denominator = 1) {
  return {Fraction::Of(numerator, denominator), WrittenUnit::Litre};
}
Amount Millilitres(std::int64_t numerator, std::int64_t denominator = 1) {
  return {Fraction::Of(numerator, denominator), WrittenUnit::Millilitre};
}
Amount Percent(std::int64_t numerator, std::int64_t denominator = 1) {
  return {Fraction::Of(numerator, denominator), WrittenUnit::Percent};
}
template <typename... Amounts>
Answers Is(Amounts... amounts) {
  return {{amounts...}};
}

// clang-format off
const std::vector<Row>& Table() {
  static const std::vector<Row> rows = {
    // Two solutions mixed: what percentage?
    {"Смесили 300 г 20% разтвор на сол с 200 г 45% разтвор на сол. Какво е процентното "
     "съдържание на солта в получения разтвор?", Is(Percent(30))},
    {"Задача 5. (2 т.) Към 2 кг 10%-ен захарен разтвор добавили 3 кг 25%-ен захарен разтвор. "
     "Каква е концентрацията на новия разтвор?", Is(Percent(19))},
    {"Стопили заедно 6 кг сплав, съдържаща 30% мед, и 4 кг сплав, съдържаща 55% мед. Колко "
     "процента мед съдържа новата сплав?", Is(Percent(40))},
    {"В една кана смесили 1,5 л мляко с масленост 3% и половин литър мляко с масленост 1%. "
     "Каква е маслеността на млякото в каната?", Is(Percent(5, 2))},
    {"Каква е концентрацията на разтвора, който получила Мария, като смесила 250 г 12 % и "
     "750 г 4 % солен разтвор?", Is(Percent(6))},
    {"Пет литра сок с 30% плодово съдържание смесили с три литра сок със 70% плодово "
     "съдържание. Какво е плодовото съдържание на получения сок?", Is(Percent(45))},
    {"Към 300 г 12% разтвoр на сол долели 150 г дестилирана вода. Определете концентрацията "
     "на получения разтвор.", Is(Percent(8))},
    {"В час по химия за 7. клас смесили 300 г 20% разтвор на сол с 200 г 45% разтвор на сол. "
     "Каква е концентрацията на получения разтвор?", Is(Percent(30))},
    {"Учениците в 6 клас стопили заедно 6 кг сплав, съдържаща 30% мед, и 4 кг сплав, "
     "съдържаща 55% мед. Колко процента мед съдържа новата сплав?", Is(Percent(40))},
    {"Колко грама вода трябва да се добавят към 300 г 20% разтвор на сол, за да се получи "
     "15% разтвор за опита в 7 клас?", Is(Grams(100))},
    {"За урока в 8. клас към 300 г 20% разтвор на сол добавили вода и получили 15% разтвор. "
     "Колко грама вода са добавили?", Is(Grams(100))},
    {"Смесили 300 г 20% сироп с 200 г 45% сироп. Колко процента захар има полученият сироп?",
     Is(Percent(30))},
    {"Смесили 300 г 20% саламура с 200 г 45% саламура. Колко процента сол има получената "
     "саламура?", Is(Percent(30))},
    {"Смесили 300 г 20% спиртен разтвор с 200 г 45% спиртен разтвор. Колко процента е "
     "полученият разтвор?", Is(Percent(30))},
    {"Смесили 300 г разтвор с 20% спирт и 200 г разтвор с 45% спирт. Колко процента спирт "
     "има полученият разтвор?", Is(Percent(30))},
    {"Смесили 3 л нектар с 20% плодово съдържание и 2 л нектар с 45% плодово съдържание. "
     "Какво е плодовото съдържание на получения нектар?", Is(Percent(30))},
    {"Към 300 мл 20% разтвор на сол добавили 0,2 л 45% разтвор на сол. Колко процента е "
     "полученият разтвор?", Is(Percent(30))},
    {"Смесили 300 г 20-процентен разтвор на сол с 200 г 45-процентен разтвор на сол. Колко "
     "процентен е полученият разтвор?", Is(Percent(30))},
    {"Към 300 г 20% разтвор на сол добавили 100 г вода. Колко процентен ще е новият разтвор?",
     Is(Percent(15))},
    {"Сол с маса 40 грама е разтворена в 160 грама вода. Колко процента е разтворът?",
     Is(Percent(20))},
    {"Смесили 2 т 20% разтвор на сол с 4 т 50% разтвор на сол. Колко тона е полученият "
     "разтвор?", Is(Tonnes(6))},
    {"Смесили 300 г 20% разтвор на сол с 200 г 45% разтвор на сол. Колко килограма е "
     "полученият разтвор?", Is(Kilograms(1, 2))},
    {"Смесили 400 г 25% сироп с 600 г 10% сироп. Колко процентен е полученият сироп?",
     Is(Percent(16))},
    {"В 500 г 8% саламура добавили още 100 г сол. Колко процентна е новата саламура?",
     Is(Percent(70, 3))},
    {"Захар с маса 50 г е разтворена във вода с маса 150 г. Колко процентен е разтворът?",
     Is(Percent(25))},
    {"Пресметнете кон-\nцентрацията на разтвора, който се получава, когато към 400 г 30% "
     "разтвор на спирт се прибавят 100 г чист спирт.", Is(Percent(44))},

    // Water poured in.
    {"Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% "
     "разтвор?", Is(Grams(100))},
    {"Към 600 г 15% раз-\nтвор на захар се долива вода, докато концентрацията стане 9%. Колко "
     "грама вода са долети?", Is(Grams(400))},
    {"Колко литра вода трябва да се добавят към 0,5 л 80% оцетна есенция, за да се получи 8% "
     "оцет?\nОтг.: 4,5 л", Is(Litres(9, 2))},
    {"В съд има три килограма 20% солен разтвор. Колко килограма вода трябва да се налеят в "
     "съда, за да стане разтворът 12%?", Is(Kilograms(2))},
    {"В една лаборатория в гр. Пловдив разредили 240 г 25% pазтвор на сол с вода и получили "
     "20% разтвор. Колко грама вода са добавили?", Is(Grams(60))},
    {"Изчислете колко милилитра вода трябва да се добавят към 200 мл 9% оцет, за да се "
     "получи 6% оцет.", Is(Millilitres(100))},
    {"Учителката по химия донесла в час 5 колби. В една от тях имало 500 г 12% разтвор на "
     "сол. Колко грама вода трябва да се долеят, за да стане разтворът 10%?\nОтг.: 100 г",
     Is(Grams(100))},

    // Water evaporated, boiled off.
    {"От 800 г 6% солен разтвор изпарили вода и разтворът станал 10%. Колко грама вода са "
     "изпарени?", Is(Grams(320))},
    {"При варене на сироп от 2 кг 30% захарен разтвор се изварява вода, докато съдържанието "
     "на захар стане 40%. Колко килограма вода се изварява?", Is(Kilograms(1, 2))},
    {"1 200 г 5% разтвор на сол престоял на слънце и част от водата се изпарила. Разтворът "
     "станал 8%. Колко грама е останалият разтвор и колко грама вода се е изпарила?",
     Is(Grams(750), Grams(450))},
    {"От 500 g 4% разтвор на сол трябва да се изпари вода, така че да се получи 5% разтвор. "
     "Колко грама вода трябва да се изпари?", Is(Grams(100))},
    {"Намерете колко грама вода трябва да се изпарят от 250 гр. 12% разтвор на сол, за да "
     "стане разтворът 20%.", Is(Grams(100))},
    {"Морската вода съдържа 4% сол. Колко тона вода трябва да се изпарят от 5 т морска вода, "
     "за да стане съдържанието на сол 10%?", Is(Tonnes(3))},

    // The pure substance added.
    {"Колко грама сол трябва да се добавят към 180 г 10% солен разтвор, за да стане 25%?",
     Is(Grams(36))},
    {"Сплав от мед и калай тежи 12 кг и съдържа 45% мед. Колко килограма чиста мед трябва да "
     "се добави към нея, за да съдържа новата сплав 60% мед?", Is(Kilograms(9, 2))},
    {"През 2024 г. на състезание по химия учениците имали 400 г 5% захарен разтвор. Колко "
     "грама захар трябва да разтворят в него, за да получат 24% разтвор?", Is(Grams(100))},
    {"Бижутер има 200 г сплав със 75% сребро. Колко грама чисто сребро трябва да стопи "
     "заедно с нея, за да получи сплав с 87,5% сребро?", Is(Grams(200))},

    // Water up to a mass.
    {"В мерителна колба сипали 150 г 40% солен разтвор и долели вода до 500 г. Каква е "
     "концентрацията на получения разтвор?", Is(Percent(12))},
    {"Към 0,3 л 70% оцетна есенция доливат вода, докато се получат 3,5 л оцет. Колко "
     "процента е полученият оцет?", Is(Percent(6))},
    {"Имаме 4 кг 15% разтвор на захар. Доливаме вода, докато масата стане 6 кг. Какво е "
     "процентното съдържание на захарта сега?", Is(Percent(10))},
    {"Петър разредил два литра сок с 60% плодово съдържание с вода до 5 литра. Колко "
     "процента е плодовото съдържание на разредения сок?", Is(Percent(24))},

    // A part of unknown strength.
    {"Смесили 200 г 10 процента разтвор на сол с 300 г разтвор на сол с неизвестна "
     "концентрация и получили 16% разтвор. Каква е концентрацията на втория разтвор?",
     Is(Percent(20))},
    {"Сплавили 5 кг сплав с 40% калай и 5 кг друга сплав от калай и мед и получили сплав с "
     "30% калай. Колко процента калай има във втората сплав?", Is(Percent(20))},
    {"Смесили 3 л мляко с масленост 4% с 1 л друго мляко и получили мляко с масленост 3,5%. "
     "Каква е маслеността на второто мляко?", Is(Percent(2))},
    {"Какъв процент захар е имало във втория разтвор, ако 400 г 30-процентов захарен "
     "разтвор, смесен с 600 г друг захарен разтвор, дава 24% разтвор?", Is(Percent(20))},

    // How much of one part.
    {"Колко грама 50% разтвор на захар трябва да се прибавят към 300 г 20% разтвор на захар, "
     "за да се получи 30% разтвор?", Is(Grams(150))},
    {"Колко литра 9% оцет трябва да се смесят с 6 л 5% оцет, за да се получи 6% оцет?",
     Is(Litres(2))},
    {"Колко тона сплав с 20% мед трябва да се стопят заедно с 3 т сплав със 70% мед, за да "
     "се получи сплав с 50% мед?", Is(Tonnes(2))},
    {"От 500 г 8% разтвор на сол и друг солен разтвор трябва да се получат 800 г 14% "
     "разтвор. Колко грама от втория разтвор са нужни и каква е концентрацията му?",
     Is(Grams(300), Percent(24))},
    {"Колко литра мляко с масленост 1,5% трябва да се добавят към 2 л мляко с масленост 4%, "
     "за да се получи мляко с масленост 3,5%?", Is(Litres(1, 2))},

    // How much of each.
    {"Колко грама 10% и колко грама 30% разтвор на сол трябва да се смесят, за да се получат "
     "600 г 15% разтвор?", Is(Grams(450), Grams(150))},
    {"Две сплави съдържат 30% и 60% мед. Колко килограма от всяка трябва да се стопят, за да "
     "се получат 15 кг сплав с 40% мед? С колко килограма втората е по-лека от първата?",
     Is(Kilograms(10), Kilograms(5), Kilograms(5))},
    {"Трябва да се приготвят 1,2 кг 20% захарен разтвор, като се смесят 12% и 36% захарни "
     "разтвори. Колко грама от всеки разтвор са нужни?", Is(Grams(800), Grams(400))},
    {"От две сплави, съдържащи съответно 60% и 85% злато, трябва да се получат 250 г сплав "
     "със 75% злато. Колко грама от всяка сплав трябва да се вземат?",
     Is(Grams(100), Grams(150))},
    {"Сплавиха две парчета от мед и калай: първото съдържа 25% калай, а второто – 50% калай. "
     "Получиха 20 кг сплав с 35% калай. Колко тежи всяко парче?",
     Is(Kilograms(12), Kilograms(8))},

    // Salt or sugar dissolved in water.
    {"Колко грама сол и колко грама вода са нужни, за да се приготвят 250 г 8% разтвор?",
     Is(Grams(20), Grams(230))},
    {"Колко грама сол и колко литра вода са нужни за 2 кг 15% солен разтвор за туршия?",
     Is(Grams(300), Litres(17, 10))},
    {"Баба Мара прави сироп. Колко килограма захар и колко килограма вода ще ѝ трябват за "
     "5 кг 60% захарен разтвор?", Is(Kilograms(3), Kilograms(2))},
    {"Колко сол и колко вода трябва да вземе Иван, за да направи 400 г 5% разтвор за "
     "аквариума си, в който плуват 12 рибки?", Is(Grams(20), Grams(380))},

    // The percentage from two masses.
    {"В 200 г вода разтворили 50 г сол. Каква е концентрацията на получения разтвор?",
     Is(Percent(20))},
    {"Ани разтворила 45 г захар в 255 г вода. Колко процента захар съдържа разтворът?",
     Is(Percent(15))},
    {"В 1,5 л вода разтворили 500 г сол. Какъв е процентът на солта в разтвора?",
     Is(Percent(25))},
    {"В 400 г разтвор има 36 г сол. Колко процента е концентрацията на разтвора?",
     Is(Percent(9))},

    // The solution from its substance.
    {"Колко грама 15% разтвор на сол може да се приготви от 45 г сол? Колко грама вода са "
     "нужни?", Is(Grams(300), Grams(255))},
    {"От 60 г захар трябва да се приготви 12% разтвор. Колко грама ще тежи разтворът?",
     Is(Grams(500))},
    {"Стопанин има 3 кг сол за саламура. Колко килограма 20% саламура ще получи, ако "
     "разтвори цялата сол във вода, и колко килограма вода ще му трябват?",
     Is(Kilograms(15), Kilograms(12))},
    {"Колко грама 4% разтвор се получават от 10 г сол и колко грама вода трябва да се "
     "прибавят към нея?", Is(Grams(250), Grams(240))},

    // The substance in a solution.
    {"Колко грама захар има в 500 г 5% разтвор?", Is(Grams(25))},
    {"Колко грама мед има в 2,5 кг сплав, която съдържа 64% мед?", Is(Grams(1600))},
    {"Колко литра чиста оцетна киселина има в 5 л 9% оцет?", Is(Litres(9, 20))},
    {"Пръстен от злато с проба 585 тежи 4 г. Колко грама чисто злато има в пръстена?\n"
     "Отг.: 2,34 г", Is(Grams(117, 50))},

    // An unknown starting amount.
    {"Към разтвор на захар с концентрация 20% добавили 300 г вода и концентрацията станала "
     "12%. Колко грама е бил първоначалният разтвор?", Is(Grams(450))},
    {"Когато в кана със сок, съдържащ 40% плодов сок, налели 1,5 л вода, се получил сок с "
     "25% плодово съдържание. Колко литра е бил сокът в каната?", Is(Litres(5, 2))},
    {"Колко килограма е бил 30% солен разтвор, ако след доливане на 4 кг вода той е станал "
     "18%?", Is(Kilograms(6))},
    {"Разтвор на спирт с концентрация 60% разредили с 500 г вода и получили 40% разтвор. "
     "Колко грама е бил разтворът на спирта?", Is(Grams(1000))},
    {"След като от солен разтвор се изпарили 200 г вода, концентрацията му се увеличила от "
     "8% на 10%. Колко грама е бил разтворът?", Is(Grams(1000))},

    // Fresh and dried produce.
    {"Пресните гъби съдържат 90% вода, а сушените – 15%. Колко килограма сушени гъби ще се "
     "получат от 34 кг пресни гъби?", Is(Kilograms(4))},
    {"Пресните сливи съдържат 85% вода, а сушените – 25%. Колко килограма сушени сливи се "
     "получават от 60 кг пресни и колко килограма вода се изпарява при сушенето?",
     Is(Kilograms(12), Kilograms(48))},
    {"Колко килограма пресни кайсии с 88% вода са нужни, за да се получат 18 кг сушени "
     "кайсии с 20% вода?", Is(Kilograms(120))},
    {"От 1 100 кг пресни гъби с 92% вода сушилнята произвежда сушени гъби с 12% вода. Колко "
     "килограма сушени гъби се получават?", Is(Kilograms(100))},

    // A ratio.
    {"В какво отношение трябва да се смесят 10% и 25% разтвор на сол, за да се получи 16% "
     "разтвор?", InRatio{3, 2}},
    {"В какво отношение трябва да се стопят сплав с 40% мед и сплав със 70% мед, за да се "
     "получи сплав с 50% мед?", InRatio{2, 1}},
    {"В какво отношение трябва да се смесят мляко с масленост 1,5% и мляко с масленост 4,5%, "
     "за да се получи мляко с масленост 3,5%?", InRatio{1, 2}},
    {"В какво отношение трябва да се смесят бонбони по 8 € за килограм и бонбони по 14 € за "
     "килограм, за да струва сместа 10 € за килограм?", InRatio{2, 1}},
    {"В какво отношение трябва да се сплавят злато с проба 750 и злато с проба 500, за да се "
     "получи злато с проба 585?", InRatio{17, 33}},

    // Prices.
    {"В сладкарница смесили 5 кг бонбони по 9 € за килограм и 3 кг бонбони по 13 € за "
     "килограм. По колко евро трябва да се продава килограм от сместа, за да не се промени "
     "общата стойност?", Price{Fraction::Of(21, 2)}},
    {"Смесили кафе по 24 лв. за килограм и кафе по 36 лв. за килограм и получили 30 кг смес "
     "по 28 лв. за килограм. По колко килограма от всеки вид кафе са смесили?",
     Is(Kilograms(20), Kilograms(10))},
    {"Колко килограма кафе по 20 лв. за килограм трябва да се смесят с 6 кг кафе по 32 лв. "
     "за килограм, за да се получи смес по 24 лв. за килограм?", Is(Kilograms(12))},
    {"Смесили 10 кг ядки по 15 евро за килограм с 5 кг ядки от друг вид и получили смес по "
     "18 евро за килограм. Колко струва килограм от втория вид ядки?", Price{24}},
    {"Смесили 3 кг бонбони по 6 € за килограм и 2 кг бонбони по 11 € за килограм. Колко "
     "струва един килограм от сместа?", Price{8}},
    {"Смесили 3 кг ядки по 12 лв./кг и 2 кг ядки по 7 лв./кг. Колко лева струва 1 кг от "
     "сместа?", Price{10}},
    {"Колко килограма от всеки вид бонбони по 6 € и по 11 € за килограм трябва да се смесят, "
     "за да се получат 5 кг смес по 8 € за килограм?", Is(Kilograms(3), Kilograms(2))},
    {"Търговец смесил 12 кг ориз по 3 лв./кг с 8 кг ориз по 4,5 лв./кг. На каква цена за "
     "килограм трябва да продава сместа, за да получи същата сума?", Price{Fraction::Of(18, 5)}},

    // Multiple choice.
    {"Колко грама вода трябва да се изпарят от 300 г 10% солен разтвор, за да стане той 15%?"
     "\nА) 50 г   Б) 100 г   В) 150 г   Г) 200 г", Choice{{Grams(100)}, 1}},
    {"Колко процента е разтворът, получен при смесване на 100 г 20% и 300 г 40% разтвор на "
     "захар?\nA) 30%\nБ) 35%\nB) 25%\nГ) 60%", Choice{{Percent(35)}, 1}},
    {"Колко килограма сушени сливи се получават от 40 кг пресни сливи, ако пресните съдържат "
     "80% вода, а сушените – 20%?\nА) 8 кг   Б) 16 кг   В) 32 кг   Г) 12 кг",
     Choice{{Kilograms(10)}, std::nullopt}},
    {"Задача 12. (2 т.) Смесени са 2 л 6% оцет и 3 л 9% оцет. Каква е концентрацията на "
     "получения оцет?\nА) 7,5%  Б) 15%  В) 7,8%  Г) 8%", Choice{{Percent(39, 5)}, 2}},
    {"Сплав от 3 кг с 20% калай и сплав от 2 кг с 45% калай стопили заедно. Колко процента "
     "калай съдържа получената сплав?\nА) 32,5%   Б) 25%   В) 65%   Г) 30%",
     Choice{{Percent(30)}, 3}},
    {"Колко литра мляко с масленост 3% трябва да се смесят с 4 л мляко с масленост 1,5%, за "
     "да се получи мляко с масленост 2%?\nА) 2 л\nБ) 4 л\nВ) 6 л\nГ) 1 л",
     Choice{{Litres(2)}, 0}},

    // Sub-questions.
    {"Смесили 400 г 25% разтвор на сол и 100 г 10% разтвор на сол.\nа) Колко грама сол има в "
     "новия разтвор?\nб) Каква е концентрацията на новия разтвор?",
     SubQuestions{{{Grams(110)}, {Percent(22)}}}},
    {"Пресните гъби съдържат 88% вода, а сушените – 10%.\nа) Колко килограма сушени гъби ще "
     "се получат от 15 кг пресни?\nб) Колко килограма пресни гъби са нужни за 4 кг сушени?",
     SubQuestions{{{Kilograms(2)}, {Kilograms(30)}}}},
    {"Имаме 500 г 20% разтвор на захар. Каква ще е концентрацията му, ако\nа) към него се "
     "долеят 300 г вода;\nб) в него се разтворят още 100 г захар?",
     SubQuestions{{{Percent(25, 2)}, {Percent(100, 3)}}}},
    {"От 25% и 40% разтвор на захар трябва да се получат 900 г 30% разтвор.\nа) Колко грама "
     "от всеки разтвор трябва да се вземат?\nб) С колко грама повече се взема от първия "
     "разтвор, отколкото от втория?", SubQuestions{{{Grams(600), Grams(300)}, {Grams(300)}}}},

    // Two steps: two solutions mixed, then water poured in or evaporated.
    {"Смесили 300 г 10% и 200 г 25% разтвор на сол, после долели 300 г вода. Каква е "
     "концентрацията?", Is(Percent(10))},
    {"Смесили 300 г 10% и 200 г 25% разтвор на сол, после изпарили 100 г вода. Каква е "
     "концентрацията на получения разтвор?", Is(Percent(20))},
    {"Смесили 300 г 10% и 200 г 25% разтвор на сол. Колко грама вода трябва да се долеят към "
     "сместа, за да се получи 8% разтвор?", Is(Grams(500))},
    {"Смесили 400 г 15% и 600 г 5% разтвор на захар. Колко грама вода трябва да се изпарят от "
     "получения разтвор, за да стане концентрацията му 12,5%?", Is(Grams(280))},
    {"Задача 12. Смесили 150 г 20% разтвор на сол и 350 г 40% разтвор на сол. В получения "
     "разтвор долели 500 г вода. Колко процента сол съдържа новият разтвор?", Is(Percent(17))},
    {"Колко процента е концентрацията на разтвора, който се получава, ако смесим 100 г 30% и "
     "300 г 10% разтвор на захар и изварим 200 г вода?", Is(Percent(30))},

    // Refused: not one of the shapes, or not certain.
    {"Смесили 200 г 10% разтвор, 300 г 20% разтвор и 500 г 30% разтвор на сол. Каква е "
     "концентрацията на сместа?", Doubt::ThreeParts},
    {"Смесили 200 г 10% разтвор на сол, 300 г 20% разтвор на сол и 500 г вода. Каква е "
     "концентрацията на сместа?", Doubt::ThreeParts},
    {"Стопили заедно три сплави: 2 кг с 30% мед, 3 кг с 40% мед и 5 кг с 60% мед. Колко "
     "процента мед има новата сплав?", Doubt::ThreeParts},
    {"Ако смесим 2 кг от първия разтвор с 3 кг от втория, ще получим 26% разтвор, а ако "
     "смесим 3 кг от първия с 2 кг от втория, ще получим 24% разтвор. Каква е концентрацията "
     "на всеки разтвор?", Doubt::TwoScenarios},
    {"Ако към солен разтвор се долеят 100 г вода, той ще стане 20%, а ако към него се "
     "добавят 100 г сол, ще стане 50%. Колко грама е разтворът?", Doubt::TwoScenarios},
    {"Смесили 300 г 20% разтвор на захар с разтвор на захар с концентрация 40%. Каква е "
     "концентрацията на получения разтвор?", Doubt::MissingNumber},
    {"Колко грама сол трябва да се добавят към солен разтвор с концентрация 10%, за да стане "
     "20%?", Doubt::MissingNumber},
    {"Периметърът на правоъгълник е 30 см, а едната му страна е с 3 см по-дълга от другата. "
     "Намерете лицето на правоъгълника.", Doubt::NotAboutMixtures},
    {"Цената на една книга е 20 лв. Колко ще струва книгата след намаление с 15%?",
     Doubt::NotAboutMixtures},
    {"How many grams of water must be added to 400 g of a 10% salt solution to obtain an 8% "
     "solution?", Doubt::NotAboutMixtures},
    {"Към 200 г 20% разтвор на сол добавили 50 г. Каква е концентрацията на получения "
     "разтвор?", Doubt::TwoReadings},
    {"Сплав от мед и калай съдържа 40% мед. Към 5 кг от сплавта добавили 1 кг. Колко "
     "процента мед има новата сплав?", Doubt::TwoReadings},
    {"В 200 г вода разтворили 50 г сол и получили разтвор.", Doubt::NoQuestion},
    {"Колко грама 40% разтвор на сол трябва да се смесят с 200 г 30% разтвор на сол, за да "
     "се получи 50% разтвор?", Doubt::Impossible},
    {"1) Колко грама сол има в 200 г 10% разтвор?\n2) Колко грама захар има в 300 г 20% "
     "разтвор?", Doubt::TwoScenarios},
    {"Пресните гъби съдържат 90% вода. Колко килограма сушени гъби ще се получат от 20 кг "
     "пресни гъби?", Doubt::MissingNumber},
    {"Един работник може да свърши работата за 6 дни, а друг – за 12 дни. За колко дни ще я "
     "свършат заедно?", Doubt::NotAboutMixtures},
  };
  return rows;
}
// clang-format on

enum class Outcome { Right, Unanswered, Wrong };

bool SameAmounts(const std::vector<Amount>& read, const std::vector<Amount>& expected) {
  if (read.size() != expected.size()) {
    return false;
  }
  for (std::size_t i = 0; i < read.size(); ++i) {
    if (read[i].value != expected[i].value || read[i].unit != expected[i].unit) {
      return false;
    }
  }
  return true;
}

// An answer is given where the reading is certain and has one; a doubt shows no "Отговор:".
bool IsAnswered(const Reading& reading) {
  return !reading.doubt && !reading.answers.empty();
}

Outcome Judged(bool answered, bool right) {
  if (!answered) {
    return Outcome::Unanswered;
  }
  return right ? Outcome::Right : Outcome::Wrong;
}

Outcome OutcomeOf(const Reading& reading, const Answers& expected) {
  return Judged(IsAnswered(reading), SameAmounts(reading.answers, expected.amounts));
}

Outcome OutcomeOf(const Reading& reading, const Choice& expected) {
  return Judged(IsAnswered(reading),
                SameAmounts(reading.answers, expected.amounts) && reading.right == expected.right);
}

// A ratio's masses are the grid's choice: the problem read holds it, whatever the answers say.
Outcome OutcomeOf(const Reading& reading, const InRatio& expected) {
  const bool answered = !reading.doubt && reading.problem.has_value();
  if (!answered || reading.problem->asked != Asked::Ratio) {
    return Judged(answered || IsAnswered(reading), false);
  }
  const Ratio read = MassRatio(*reading.problem);
  return Judged(true, read.first == expected.first && read.second == expected.second);
}

Outcome OutcomeOf(const Reading& reading, const Price& expected) {
  return Judged(IsAnswered(reading),
                reading.answers.size() == 1 && reading.answers[0].value == expected.perKilogram);
}

// Right where every sub-question is; wrong where any answered one is.
Outcome OutcomeOf(const Reading& reading, const SubQuestions& expected) {
  if (reading.parts.size() != expected.parts.size()) {
    return Judged(IsAnswered(reading), false);
  }
  Outcome outcome = Outcome::Right;
  for (std::size_t i = 0; i < expected.parts.size(); ++i) {
    const Outcome part = OutcomeOf(reading.parts[i], Answers{expected.parts[i]});
    if (part == Outcome::Wrong) {
      return Outcome::Wrong;
    }
    if (part == Outcome::Unanswered) {
      outcome = Outcome::Unanswered;
    }
  }
  return outcome;
}

Outcome OutcomeOf(const Reading&, Doubt) {
  return Outcome::Unanswered;  // refusals are checked on their own
}

bool IsRefusal(const Row& row) {
  return std::holds_alternative<Doubt>(row.expected);
}

std::string Listed(const std::vector<std::string_view>& texts) {
  std::string listed;
  for (const std::string_view text : texts) {
    listed.append("\n--- ").append(text);
  }
  return listed;
}

// The texts that are read to the given outcome.
std::vector<std::string_view> TextsWith(Outcome wanted) {
  std::vector<std::string_view> texts;
  for (const Row& row : Table()) {
    const Reading reading = ReadProblem(row.text);
    const auto judge = [&reading](const auto& expected) { return OutcomeOf(reading, expected); };
    if (!IsRefusal(row) && std::visit(judge, row.expected) == wanted) {
      texts.push_back(row.text);
    }
  }
  return texts;
}

std::size_t SolvableCount() {
  std::size_t count = 0;
  for (const Row& row : Table()) {
    count += IsRefusal(row) ? 0 : 1;
  }
  return count;
}

TEST(ReadTextbookProblems, NoTextIsAnsweredWrong) {
  const std::vector<std::string_view> wrong = TextsWith(Outcome::Wrong);
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " answered wrong:" << Listed(wrong);
}

TEST(ReadTextbookProblems, NineInTenAreReadRight) {
  const std::size_t right = TextsWith(Outcome::Right).size();
  const std::size_t all = SolvableCount();
  EXPECT_GE(right * 10, all * 9) << right << " of " << all << " read right; not read:"
                                 << Listed(TextsWith(Outcome::Unanswered));
}

TEST(ReadTextbookProblems, RefusesWhatItCannotReadForCertain) {
  for (const Row& row : Table()) {
    if (!IsRefusal(row)) {
      continue;
    }
    const Reading reading = ReadProblem(row.text);
    EXPECT_EQ(reading.doubt, std::get<Doubt>(row.expected)) << row.text;
    EXPECT_TRUE(reading.answers.empty()) << row.text;
    EXPECT_FALSE(reading.right.has_value()) << row.text;
  }
}

}  // namespace
