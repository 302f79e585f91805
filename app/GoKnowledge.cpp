#include "app/GoKnowledge.h"

namespace zemra {

namespace {

const QString Indent = QStringLiteral("     ");

} // namespace

const QList<GoKnowledgeSection>& goKnowledgeSections()
{
    // Three-character phrases in the manner of a primer, so each line reads
    // as a short rhyme a beginner can remember.
    static const QList<GoKnowledgeSection> sections = {
        {QStringLiteral("一、围棋规则"),
         {
             QStringLiteral("纵横线，十九道，黑先行，白随后"),
             QStringLiteral("轮流下，各一着，子落定，不移走"),
             QStringLiteral("子无气，提下盘，逢打劫，隔一手"),
             QStringLiteral("终局时，数子空，过半者，胜利收"),
         }},
        {QStringLiteral("二、行棋"),
         {
             QStringLiteral("不贪胜，入界缓，攻彼前，顾我全"),
             QStringLiteral("舍小利，就大端，宁弃子，不失先"),
             QStringLiteral("彼强处，先自保，势孤时，宜求安"),
             QStringLiteral("动相应，子相连，棋形薄，最危险"),
             QStringLiteral("二子头，必须扳，三子中，急所占"),
             QStringLiteral("敌要点，我亦争，棋从断，变化繁"),
             QStringLiteral("空三角，是愚形，子重复，效率减"),
             QStringLiteral("逢危子，须舍弃，贪一子，输全盘"),
             QStringLiteral("勿轻速，须深算，想对方，应哪边"),
             QStringLiteral("用厚势，莫围空，敌厚处，勿近前"),
         }},
        {QStringLiteral("三、布局"),
         {
             QStringLiteral("金在角，银在边，草肚皮，最后争"),
             QStringLiteral("先占角，次守边，后中腹，顺序行"),
             QStringLiteral("星位快，小目坚，三三实，地先成"),
             QStringLiteral("立二子，拆三宜，立三子，拆四平"),
             QStringLiteral("先急所，后大场，次序乱，局不宁"),
             QStringLiteral("三线低，地实在，四线高，势力生"),
             QStringLiteral("二路爬，地狭小，高低配，子才灵"),
             QStringLiteral("分厚薄，先补弱，走厚实，后不惊"),
             QStringLiteral("拆一边，兼夹击，一子下，两边应"),
             QStringLiteral("子勿重，形勿滞，开局时，步要轻"),
             QStringLiteral("学定式，忌死记，配全局，选择精"),
             QStringLiteral("布局终，看全盘，地与势，要均衡"),
         }},
        {QStringLiteral("四、死活"),
         {
             QStringLiteral("两眼真，方能活，独一眼，难生根"),
             QStringLiteral("眼真假，细区分，斜角破，眼不真"),
             QStringLiteral("直四活，曲四生，方块四，活无门"),
             QStringLiteral("直曲三，丁四形，点要害，一击准"),
             QStringLiteral("刀五形，花五六，点中央，活不稳"),
             QStringLiteral("左右同，中间寻，对称处，是要津"),
             QStringLiteral("做活时，扩眼位，杀棋时，缩其身"),
             QStringLiteral("先缩小，后点眼，次序对，死活分"),
             QStringLiteral("角上棋，变化深，二一路，妙手存"),
         }},
        {QStringLiteral("五、对杀"),
         {
             QStringLiteral("对杀时，先数气，气长者，可杀敌"),
             QStringLiteral("有眼者，杀无眼，眼大小，胜负异"),
             QStringLiteral("先紧外，后紧公，次序乱，反失利"),
             QStringLiteral("两无眼，公气多，互难杀，成双活"),
             QStringLiteral("妙用扑，巧紧气，接不归，倒扑奇"),
             QStringLiteral("气不够，要延气，做一眼，或吃子"),
             QStringLiteral("有劫时，比劫材，劫材多，方可启"),
         }},
        {QStringLiteral("六、中盘"),
         {
             QStringLiteral("中盘起，战火浓，攻与守，计在胸"),
             QStringLiteral("攻击时，莫贪吃，借攻势，地自丰"),
             QStringLiteral("夺其根，迫其逃，逃跑中，我得功"),
             QStringLiteral("敌阵厚，浅侵消，敌阵薄，深入攻"),
             QStringLiteral("敌两块，都孤弱，缠绕攻，两难容"),
             QStringLiteral("判形势，算目数，优求稳，劣求动"),
             QStringLiteral("巧滚打，妙包收，外势成，气如虹"),
             QStringLiteral("两处好，成见合，得其一，不落空"),
             QStringLiteral("走本手，求妙手，避俗手，棋道通"),
             QStringLiteral("劣势时，莫灰心，寻胜负，在乱中"),
         }},
        {QStringLiteral("七、收官"),
         {
             QStringLiteral("到收官，细计较，差一目，胜负倒"),
             QStringLiteral("双先官，最为宝，单先次，后手少"),
             QStringLiteral("先收大，后收小，次序明，不能跳"),
             QStringLiteral("先手四，后手八，价相当，算清了"),
             QStringLiteral("逆收官，似先手，价值高，莫轻瞧"),
             QStringLiteral("扳与粘，立与跳，一路棋，也重要"),
             QStringLiteral("收官时，防死活，贪小利，被吃掉"),
             QStringLiteral("数子法，单官要，最后收，不可抛"),
             QStringLiteral("官子毕，数子好，胜不骄，败不恼"),
         }},
    };
    return sections;
}

QStringList goKnowledgeLines()
{
    QStringList lines;
    for (const GoKnowledgeSection& section : goKnowledgeSections()) {
        lines << QString() << Indent + section.heading << QString();
        for (const QString& verse : section.verses)
            lines << Indent + verse;
    }
    return lines;
}

QString goKnowledgeText()
{
    return goKnowledgeLines().join(QLatin1Char('\n'));
}

void writeGoKnowledge(const std::function<void(const QString& kind, const QString& text)>& sendOutMessage)
{
    for (const QString& line : goKnowledgeLines())
        sendOutMessage(QStringLiteral("Version"), line);
}

} // namespace zemra
