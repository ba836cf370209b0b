#include "lagna/texts/interpretation_texts.h"

// The prose shown on the interpretation pages. Every table is plain ASCII with no line
// breaks; the few doubled blanks and trailing blanks are part of the displayed texts and
// are kept on purpose. Long texts are split into adjacent literals at word boundaries.

namespace corvane {

// Appearance, by sign.
const std::array<std::string_view, 12> kLooksTexts = {
    // Aries
    "You may be slim and of medium complexion. Your frame is lean and muscular, your "
    "eyes are quick and restless, and a small mark or scar on the head or face is common "
    "for you. You walk fast and carry yourself with the eager energy of the Ram.",
    // Taurus
    "You are attractive and beautiful. A strong neck, broad shoulders and large, calm "
    "eyes give you the steady grace of the Bull, and Venus lends you a soft voice and a "
    "pleasing smile. You may put on weight in later years if you indulge your love of "
    "good food.",
    // Gemini
    "You are tall slim and good looking. Your arms are long, your hands expressive, and "
    "your face stays youthful well past middle age. Mercury gives you bright, darting "
    "eyes and a lively way of moving that matches your talkative manner.",
    // Cancer
    "You have a medium stature and may be a bit stout. Your face is round and soft, "
    "often pale like the Moon that rules you, and your features change with your moods. "
    "Your chest and upper body may be fuller than the rest of your frame.",
    // Leo
    "You are tall  and have broad squarely built shoulders. Your head is large and your "
    "hair thick, almost a mane, and you hold yourself with the upright, royal bearing of "
    "the Lion. Your eyes are bright and commanding, and people notice you the moment you "
    "enter a room.",
    // Virgo
    "You are tall and slim with sharp features. Your nose is fine, your eyes are clear "
    "and watchful, and you look younger than your age for most of your life. You dress "
    "neatly and with care, and there is a modest, refined air about the way you carry "
    "yourself.",
    // Libra
    "You are tall and thin. Your body is well proportioned and graceful, your features "
    "are regular, and Venus blesses you with a charming smile and a gentle voice. You "
    "have good taste in clothes and always look balanced and well put together.",
    // Scorpio
    "You have broad body shape. Your build is sturdy and compact, your jaw firm and your "
    "gaze deep and penetrating, the kind that seems to read people. You may have thick "
    "eyebrows, and there is a quiet intensity in your face even when you are at rest.",
    // Sagittarius
    "You may be medium to tall and well built. Your thighs and hips are strong, your "
    "forehead is broad and open, and you have the athletic, outdoor look of the Archer. "
    "Your face is frank and cheerful, and you stride along as if heading somewhere far "
    "away.",
    // Capricorn
    "You have beautiful eyes. Your body is lean and bony with prominent knees and a "
    "long, serious face that softens with age, so you often look better in later years "
    "than in youth. Saturn gives you a reserved, dignified appearance and a slow, "
    "careful walk.",
    // Aquarius
    "You have a fair complexion. You are usually tall, with a well formed body, a high "
    "forehead and a friendly, open face. There is something unusual or striking in your "
    "looks or your style, and your calm, distant expression hides a very busy mind.",
    // Pisces
    "You have the perfect body with the right nose, eyes and mouth. Your eyes are large, "
    "soft and dreamy, your hands and feet are small, and your skin is smooth. You move "
    "gently, and the watery nature of your sign gives you a tender, sympathetic look.",
};

// Temperament, by sign; these name the sign as a moon sign.
const std::array<std::string_view, 12> kNatureTexts = {
    // Aries
    "You are very independent and dynamic. Born with the Aries moon sign, you are ruled "
    "by Mars, and you meet life head on like the Ram that charges at whatever stands in "
    "its way. You love to start new things and you are usually the first to act while "
    "others are still thinking. Your courage is real and your enthusiasm is infectious, "
    "but your patience is short, and you may lose interest once the excitement of a "
    "beginning has passed. You speak your mind frankly and your anger flares quickly, "
    "yet it fades just as fast and you rarely hold a grudge. Competition brings out the "
    "best in you. You will do best when you learn to finish what you start and to listen "
    "before you leap.",
    // Taurus
    "You have a powerful and commanding personality. The Taurus moon sign is where the "
    "Moon is exalted, so you are emotionally steady and not easily shaken. Venus rules "
    "you, and you love comfort, beauty, music, good food and the security of a well "
    "filled purse. Like the Bull, you are slow to anger and patient, but once provoked "
    "you are very hard to stop. You are loyal and reliable, and you keep your promises. "
    "You dislike sudden change and prefer routines that you have tested over time. Your "
    "stubbornness can become your weakness, because once you have made up your mind "
    "nobody can move you. You build slowly and surely, and what you build tends to last.",
    // Gemini
    "You have an analytical mind. The Gemini moon sign is ruled by Mercury, the planet "
    "of intellect and speech, and your thoughts move quickly from one subject to the "
    "next. You are curious about everything and you love to read, write, talk and "
    "exchange ideas. Like the Twins of your symbol, you often see both sides of a "
    "question and may find it hard to choose between them. You are witty, adaptable and "
    "good company, and you can charm almost anyone with your words. Boredom is your "
    "enemy, so you need variety and mental stimulation. Your moods can change quickly, "
    "and you may scatter your energy over too many interests. Learning to focus will "
    "turn your cleverness into real achievement.",
    // Cancer
    "You are a patient person and very emotional. The Cancer moon sign is the Moon's own "
    "home, so your feelings are deep, tender and changeable like the tides. You are "
    "caring and protective, and you look after the people you love the way a mother "
    "looks after her children. Home and family are the centre of your world. Like the "
    "Crab, you have a hard shell and a soft inside: you withdraw when you are hurt and "
    "you remember slights for a long time. Your intuition is strong and you often sense "
    "what others feel before they say a word. You are attached to the past, to old "
    "memories and keepsakes. When you feel secure you are generous, imaginative and very "
    "kind.",
    // Leo
    "You are a leader and can never take orders. The Leo moon sign is ruled by the Sun, "
    "the king of the planets, and you carry yourself with natural pride and dignity. You "
    "are warm hearted, generous and loyal, and you want to be admired and respected. "
    "Like the Lion, you protect those who depend on you and you expect their loyalty in "
    "return. You have a strong sense of honour and you hate anything petty or mean. "
    "Praise makes you shine, while criticism wounds your pride deeply. You enjoy drama, "
    "celebration and being the centre of attention. At times you can be arrogant or "
    "bossy, but your big heart usually wins people over. You are at your best when you "
    "lead by example.",
    // Virgo
    "You are practical and polished. Born under the Virgo moon sign, ruled by Mercury, "
    "which is also exalted here, you have a sharp, discriminating mind that notices "
    "every detail. You like order, cleanliness and method, and you are happiest when you "
    "are being useful to others. You are modest and do not seek the limelight, but your "
    "work speaks for you. The Virgin of your symbol reflects the purity of your "
    "intentions and your high standards. You can be very critical, of yourself even more "
    "than of others, and you may worry too much about small things. You are careful with "
    "money and with your health. Once you accept that nothing is perfect, you become a "
    "wise and trusted helper to everyone around you.",
    // Libra
    "Justice means everything to you. The Libra moon sign is ruled by Venus and "
    "symbolised by the Balance, and you are always weighing things to find what is fair. "
    "You are diplomatic, polite and charming, and you dislike quarrels and rudeness of "
    "every kind. Partnership matters a great deal to you, and you do your best work with "
    "someone at your side. You have refined taste and love art, music and beautiful "
    "surroundings. Because you see every point of view, you may take a long time to make "
    "decisions and you may try too hard to please everyone. You are sociable and easy to "
    "like. When you stand up for what is right, you show a quiet strength that surprises "
    "people.",
    // Scorpio
    "Mysterious is the first word that comes to mind about this moon sign. The Moon is "
    "debilitated in the Scorpio moon sign, so your feelings run deep and strong, and you "
    "keep most of them hidden. Ruled by Mars, you have great willpower, determination "
    "and endurance. Like the Scorpion, you stay quiet until you are threatened, and then "
    "you can strike hard. You are fiercely loyal to those you trust, but you never "
    "forget a betrayal. You are drawn to secrets, research, the occult and the hidden "
    "side of life. Your intuition is sharp and you see through pretence easily. You pass "
    "through major changes in life and come out stronger each time. Learning to forgive "
    "will bring you the peace you seek.",
    // Sagittarius
    "You are very optimistic and spontaneous by nature. The Sagittarius moon sign is "
    "ruled by Jupiter, the great teacher, so you are drawn to knowledge, religion, "
    "philosophy and travel. Like the Archer, you aim your arrow high and always look "
    "toward a distant goal. You are honest and frank, sometimes so frank that you hurt "
    "people without meaning to. You love freedom and do not like to be tied down by "
    "rules or routine. Your faith in life helps you recover quickly from setbacks. You "
    "are generous, cheerful and fond of sport and the outdoors. You respect teachers and "
    "elders and may become a guide to others yourself. Guard against restlessness and "
    "against promising more than you can deliver.",
    // Capricorn
    "You want to achieve a lot in life. The Capricorn moon sign is ruled by Saturn, and "
    "you are serious, disciplined and hardworking from a young age. You plan carefully, "
    "climb slowly and rarely give up, like the Crocodile of your symbol that waits "
    "patiently for its moment. You respect tradition, duty and authority, and you take "
    "your responsibilities to heart. You do not show your feelings easily, and people "
    "may think you cold when you are only reserved. Success usually comes to you later "
    "in life, and it lasts because you earned it step by step. You are practical about "
    "money and careful with resources. Do not let worry and pessimism steal the joy from "
    "your hard won achievements.",
    // Aquarius
    "You are a thinker, philosopher and an idealist. The Aquarius moon sign is ruled by "
    "Saturn, and like the Water Carrier who pours out knowledge for all, you care about "
    "humanity as a whole. You are original, inventive and often ahead of your time. You "
    "value your freedom and your independence of thought, and you will not follow the "
    "crowd just because it is popular. You make friends easily with all kinds of people, "
    "though you keep a certain emotional distance. You are interested in science, reform "
    "and new ideas. Once you hold an opinion you can be very fixed about it. You are "
    "humane and fair minded. Your calm detachment is a strength, but remember that the "
    "people close to you need warmth too.",
    // Pisces
    "You are very creative and soft by nature. The Pisces moon sign is ruled by Jupiter "
    "and is the last sign of the zodiac, so you carry a spiritual, compassionate quality "
    "that understands the suffering of others. You are imaginative, dreamy and deeply "
    "intuitive, and you may have a gift for music, poetry or the arts. Like the Double "
    "Fish swimming in two directions, you can be pulled between the world of dreams and "
    "the world of duty. You are kind and forgiving, and you give freely, sometimes to "
    "people who take advantage of you. You may avoid harsh realities when they become "
    "too painful. Prayer, meditation and service bring you great peace and strength.",
};

// Work and money, by sign.
const std::array<std::string_view, 12> kCareerAndFinanceTexts = {
    // Aries
    "You are ambitious by nature. You do well in careers that need courage and quick "
    "decisions, such as the army, police, engineering, surgery, sports or running your "
    "own business. You earn well but you also spend on impulse, so saving needs "
    "conscious effort.",
    // Taurus
    "You love spending on luxurious things. Yet you are also a patient earner who builds "
    "wealth slowly and surely. Banking, finance, agriculture, property, jewellery, "
    "fashion, food and the arts suit you well. You will accumulate land and valuables "
    "over the years.",
    // Gemini
    "You will do very well in jobs that need interaction with people. Writing, "
    "journalism, teaching, sales, media and trade suit your quick mind. You may hold two "
    "jobs at once or change careers more than once. Income comes through many channels "
    "but needs careful handling.",
    // Cancer
    "You have an artistic bent of mind. You also do well in caring professions such as "
    "nursing, catering, hospitality, real estate and anything connected with water, the "
    "public or the home. Your earnings rise and fall like the tides, but your instinct "
    "for saving keeps you secure.",
    // Leo
    "You can do well in professions that need you to be in the limelight. Government "
    "service, politics, management, acting and any position of authority bring out your "
    "best. You dislike subordinate roles. Money comes to you through status, and you "
    "spend it generously and proudly.",
    // Virgo
    "You are skilled in music and dance. You also excel at work that needs accuracy, "
    "such as accounting, medicine, research, editing and analysis. Employers value your "
    "reliability. You budget well and prefer a steady income to risky gains.",
    // Libra
    "You could make a career of the artistic kind. Law, diplomacy, design, fashion, "
    "counselling and business partnerships also suit your sense of balance. Money flows "
    "in through your charm and social contacts, though much of it may go on beautiful "
    "things.",
    // Scorpio
    "You may come in possession of sudden legacies and gifts. You are suited to "
    "research, investigation, surgery, insurance, mining and occult studies, where depth "
    "and secrecy are assets. You handle other people's money well, and your finances may "
    "change suddenly.",
    // Sagittarius
    "You always yearn to learn more in life. Teaching, law, religion, publishing, travel "
    "and higher education are natural fields for you, and you may work abroad or with "
    "foreigners. Jupiter brings you luck with money, but your generosity can lead to "
    "overspending.",
    // Capricorn
    "Material wealth means a lot to you. You work steadily toward positions of "
    "responsibility in administration, government, construction or large organisations. "
    "Your rise is slow but certain. You are thrifty and plan for the long term, so your "
    "wealth grows with age.",
    // Aquarius
    "You will do very well in public related jobs and businesses. Science, technology, "
    "social work and large networks suit your inventive, humane mind. Your income may "
    "come from unusual sources, and friends and contacts will help your career along.",
    // Pisces
    "You are artistically inclined. Music, painting, film, poetry, healing, charity, "
    "spiritual work and trades connected with the sea may draw you. You work best where "
    "you can follow your inspiration. You are generous with money and must guard against "
    "being cheated.",
};

// Partner, family and home, by sign.
const std::array<std::string_view, 12> kLoveAndDomesticLifeTexts = {
    // Aries
    "You are a romantic to the core by nature. You fall in love quickly and pursue the "
    "one you want with passion and directness. You need a partner who can match your "
    "energy and give you some freedom. Quarrels at home flare up fast but are soon "
    "forgotten.",
    // Taurus
    "You may not express your emotions but you are still a romantic at heart. You are "
    "faithful, affectionate and sensual, and you show your love through comfort, gifts "
    "and a beautiful home. You can be possessive of your partner, but your loyalty makes "
    "family life stable.",
    // Gemini
    "You are blessed with a long life. In love you look for a partner who is also a "
    "friend and who can keep your mind interested. You enjoy flirting and conversation, "
    "and you may have more than one important relationship. Shared interests keep your "
    "home life happy.",
    // Cancer
    "Parents will mean a lot to you. Your mother especially will have a strong influence "
    "on your life. You are a devoted, nurturing partner and parent, and your home is "
    "your sanctuary. You need emotional security and reassurance, and you may cling when "
    "you feel neglected.",
    // Leo
    "You love living life king size. You are a generous and loyal lover who enjoys "
    "romance, grand gestures and being admired. You want to be proud of your partner and "
    "your family. Your home will be hospitable, but your pride may lead to clashes if "
    "you insist on ruling it.",
    // Virgo
    "You are not romantic at all. You show your care through practical help and "
    "attention to the needs of your family rather than through passionate words. You are "
    "choosy about partners and may marry late. Your criticism can hurt those at home, so "
    "learn to praise as well.",
    // Libra
    "Being peaceful and loving by nature, you have good love life. Marriage is very "
    "important to you and you are a considerate, fair and affectionate partner. You need "
    "harmony at home and will compromise to keep it. You may be drawn to an artistic or "
    "refined partner.",
    // Scorpio
    "Your possessive nature may create problems in life. Your love is intense and all or "
    "nothing, and you expect complete loyalty in return. Jealousy and secrecy can strain "
    "your relationships. Once you trust someone fully, you will stand by them through "
    "anything.",
    // Sagittarius
    "You may have some problem dealing with other people. Your bluntness and love of "
    "freedom can make close relationships difficult at times. You need a partner who "
    "shares your ideals and enjoys travel and learning. Your home will be open, cheerful "
    "and full of guests.",
    // Capricorn
    "Domestic life will have its share of problems mainly because of inability of "
    "household members to get along, so you will often be the one who keeps the family "
    "together. You show love through duty and responsibility, and your marriage grows "
    "warmer with time.",
    // Aquarius
    "You are influenced more by your friends than your relatives. You want a partner who "
    "is also your best friend and who respects your independence. You may seem detached "
    "in love, but you are loyal and honest. An unconventional relationship may appeal to "
    "you.",
    // Pisces
    "Your children will be very fortunate to be born to you. You are a tender, selfless "
    "and romantic partner who gives everything for love. You may idealise your loved "
    "ones and be disappointed when they fall short. A peaceful, spiritual home makes you "
    "truly happy.",
};

// Weak parts of the body and how to look after them, by sign.
const std::array<std::string_view, 12> kHealthTexts = {
    // Aries
    "You may be prone to blood circulation problems, head related illnesses and BP "
    "issues. Headaches, fevers, burns and cuts from haste are also likely. Regular "
    "exercise, enough rest and a calm temper will keep your fiery energy in balance.",
    // Taurus
    "You may not enjoy good health all the time. Your throat, neck and thyroid are "
    "sensitive areas, and colds, tonsillitis and weight gain can trouble you. A moderate "
    "diet and regular activity will offset your love of rich food.",
    // Gemini
    "You may have some problems of the sexual nature. Your lungs, shoulders, arms and "
    "nerves are also sensitive, so coughs, asthma and nervous exhaustion may occur. "
    "Fresh air, deep breathing and enough sleep calm your restless mind.",
    // Cancer
    "You may have stress and mental illnesses because of your highly emotional and "
    "sensitive nature. Your chest and stomach are vulnerable, and worry may upset your "
    "digestion. Emotional security and a regular, simple diet keep you well.",
    // Leo
    "Heart problems may occur. Your back and spine also need care, and high fevers or "
    "trouble with the eyes are possible. Avoid overexertion and anger, take regular "
    "exercise, and your heart will stay strong for a long life.",
    // Virgo
    "Your intestine and liver may give you some problems. Worry often shows up as "
    "indigestion, ulcers or bowel complaints. You are health conscious by nature, and a "
    "clean diet with regular routines will keep you fit and active.",
    // Libra
    "Kidney and liver are your weak parts. Your lower back and skin may also give "
    "trouble, and excess sugar can upset your balance. Drink plenty of water, keep your "
    "life in balance, and avoid overindulgence at social gatherings.",
    // Scorpio
    "You may have problems from piles and colic. Your reproductive and excretory organs "
    "are sensitive, and infections there need prompt attention. Your strong recuperative "
    "power helps you recover from serious illness when you do not bottle up your "
    "feelings.",
    // Sagittarius
    "Your body gives out too much heat, which may create a few problems. Your hips, "
    "thighs and liver are sensitive, and you may suffer from sciatica or injuries from "
    "sport and travel. Moderation in food and drink will protect your health.",
    // Capricorn
    "You may be prone to gout and blood related problems. Your knees, joints, bones, "
    "teeth and skin need care, and rheumatism or stiffness may trouble you as you age. "
    "Warmth, gentle exercise and a calcium rich diet help you stay strong.",
    // Aquarius
    "Your legs and eyes may be weak. Your ankles, calves and circulation are sensitive, "
    "and you may suffer from cramps, varicose veins or nervous tension. Walking, fresh "
    "air and regular breaks from mental work keep you healthy.",
    // Pisces
    "Common cold will be your constant companion. Your feet and lymphatic system are "
    "weak points, and you may retain water or react strongly to medicines and alcohol. "
    "Rest, good footwear and a peaceful mind help you remain well.",
};

// The Pranapada lagna's house counted from the ascendant.
const std::array<std::string_view, 12> kPranapadaHouseTexts = {
    // 1st house
    "You may be physically very weak and sick. You will need to take extra care of your "
    "body and build up your strength with rest and a good diet.",
    // 2nd house
    "You will have abundant wealth in form of money, food, love, relationships etc. Your "
    "family will support you and your speech will be sweet.",
    // 3rd house
    "You will suffer from injuries and accidents. Be careful while travelling and "
    "handling sharp tools, and do not take needless risks.",
    // 4th house
    "You will have a very happy and agreeable personality. You will enjoy a comfortable "
    "home, good friends and the affection of your mother.",
    // 5th house
    "You will be fortunate and enthusiastic in life. Your intelligence will be sharp and "
    "your children will bring you joy and pride.",
    // 6th house
    "You will be put down by your relatives and enemies. Debts and disputes may trouble "
    "you, but steady effort will help you overcome them.",
    // 7th house
    "You will have a lot of interest in the opposite sex. Your partner will be "
    "attractive, and partnerships will shape much of your life.",
    // 8th house
    "You will suffer from health problems. Chronic complaints may arise, so regular "
    "check-ups and a disciplined lifestyle are important for you.",
    // 9th house
    "You will have a large and loving happy family. You will be blessed with good "
    "fortune, faith in God and the guidance of wise teachers.",
    // 10th house
    "You will be bold and brave and a great entrepreneur. You will be respected for your "
    "work and may rise to a position of power.",
    // 11th house
    "You will achieve a lot of fame and respect. You will be well-liked, wise, wealthy "
    "and well renowned.",
    // 12th house
    "You may have a very disagreeable nature. Your expenses may run high, and you will "
    "find peace through solitude, charity or spiritual practice.",
};

// The Hora lagna's house counted from the ascendant, as a source of wealth.
const std::array<std::string_view, 12> kHoraHouseTexts = {
    // 1st house (ends in one blank)
    "If you have a good reputation and are famous then wealth and riches will come "
    "knocking on your doors. ",
    // 2nd house
    "Family life will gain importance. Your wealth will grow through the family, savings "
    "and careful speech, and you will take pride in providing for those at home.",
    // 3rd house
    "Establish your creative pursuits and build a profitable career around it. Your own "
    "efforts, courage and skill with words will bring you money.",
    // 4th house
    "Your heart is where your home is. Property, vehicles and a comfortable home will be "
    "your main sources of wealth and happiness.",
    // 5th house
    "You will spend more time with your children and people who support you. Wealth "
    "comes through intelligence, speculation and past good deeds.",
    // 6th house
    "Survival of the fittest. You will earn through hard work, service and competition, "
    "and you will have to overcome rivals to hold on to your money.",
    // 7th house
    "You will crave for a partner and look forward to getting into a relationship. "
    "Marriage and business partnerships will add to your wealth.",
    // 8th house (ends in four blanks)
    "You will gain money from people who return their debts. Inheritance, insurance and "
    "hidden sources may also bring sudden gains.    ",
    // 9th house (ends in two blanks)
    "Wisdom and knowledge will be of utmost importance. Fortune, your father and your "
    "teachers will help you prosper, and dharma will guide how you earn.  ",
    // 10th house (ends in four blanks)
    "Build your professional career and look at it as the most important aspect if your "
    "life. Your status at work will decide your wealth.    ",
    // 11th house (ends in four blanks)
    "You will need to understand the importance of friendships and know how to work in "
    "groups for mutual benefit. Gains will come through your network.    ",
    // 12th house
    "You will gain money from foreign places.",
};

// What a body placed in the Arudha lagna says about how the world sees you.
const std::array<std::string_view, 10> kPlanetTexts = {
    // Sun
    "He can be good or evil depending upon the planets in configuration with him. The "
    "Sun is the soul of the chart and the king among all the planets. Placed with your "
    "Arudha lagna, he shows how your authority, pride and sense of self are seen by the "
    "world. A strong Sun here brings recognition from people in power, government "
    "favour, a respected name and the confidence to lead. You will get noticed wherever "
    "you go, and others will look to you for direction. An afflicted Sun can make you "
    "appear proud, domineering or quarrelsome with father figures and superiors, and "
    "your image may suffer from clashes of egos. Your reputation rests on how honestly "
    "you use the power you are given. He can be good or evil depending upon the planets "
    "in configuration with him.",
    // Moon
    "The moon is the planet most connected to our feelings and moods. Here it shows that "
    "people see you as caring, sensitive and changeable, and your public image will rise "
    "and fall with your emotional state and the public mood.",
    // Mercury
    "Mercury governs the way that you communicate with those around you.",
    // Venus
    "Venus is the planet that is about how people express socially, romantically and "
    "artistically.",
    // Mars
    "This is where your assertiveness and power will lie. Others will see you as bold, "
    "energetic and courageous, though at times quick tempered and too ready for a "
    "quarrel.",
    // Jupiter
    "Where the house placement of Jupiter is where you are likely to think "
    "optimistically and positively about things.",
    // Saturn
    "This is where people are likely to encounter heavy obstacles. It is the planet of "
    "restrictions and limitations.",
    // Rahu
    "The North Node of the Moon reflects your worldly desires and the direction your "
    "soul is growing toward. Here it gives an unusual, ambitious image, and you may well "
    "gain fame through foreign, modern or unconventional means.",
    // Ketu
    "The South Node of the Moon reflects the skills and habits carried over from past "
    "lives. Here it makes you seem detached, spiritual or hard to understand, and people "
    "may overlook your worldly achievements while sensing a deeper wisdom in you.",
    // Ascendant: no text
    "",
};

const std::string_view kArudhaLagnaSignification =
    "Arudha literally means mount. This signifies the image of a sign falling on another "
    "sign. Arudha of the first house is known as Arudha Lagna. Arudha Lagna shows how "
    "one manifests oneself in this world of Maya (Illusion). This shows how you are "
    "perceived  by others.";

}  // namespace corvane
