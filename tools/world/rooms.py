"""The map of Glimmerhold: every room's region, exits and description.

ROOMS[n] = (region, (north, south, east, west), text); text lines are split
on '|', and the first line continues "you are ".
"""

ROOMS = {}


def R(n, region, exits, text):
    assert n not in ROOMS, n
    e = dict(exits)
    ROOMS[n] = (region, (e.get('n', 0), e.get('s', 0), e.get('e', 0), e.get('w', 0)), text)


# --- Master Wendle's tower and garden -------------------------------------
H = "home"
R(1, H, dict(s=2), "in your little attic bedroom at the top of Master Wendle's tower.|"
  "Since the Keeper of Stones killed your master and stole the Wendle Staff,|"
  "the tower has been horribly quiet. Stairs lead south, down to the study.")
R(2, H, dict(n=1, e=3, s=4), "in your late master's study. Star charts cover the walls, and the|"
  "smell of old ink and older fish hangs in the air.|"
  "The library is east, the great hall south, your attic north.")
R(3, H, dict(w=2), "in the tower library, among shelves that groan under dusty tomes.|"
  "Most are far too advanced for an apprentice. The study is west.")
R(4, H, dict(n=2, e=5, w=6, s=7), "in the great hall of the tower, where something in a corner snores|"
  "faintly. Doors lead east to the workshop, west to|"
  "the kitchen, north to the study and south out into the garden.")
R(5, H, dict(w=4), "in the workshop, where the master brewed, boiled and occasionally|"
  "exploded things. Tools lie everywhere, all of them oily.")
R(6, H, dict(e=4, s=8), "in the kitchen. Strings of onions hang from the beams,|"
  "and something grey has been bubbling on the stove for three weeks.|"
  "The larder is south, the hall east.")
R(7, H, dict(n=4, s=9, e=10), "in the front garden, where the master's prize cabbages have been|"
  "chewed to lace by something large and slimy. Paths run south and east.")
R(8, H, dict(n=6), "in the larder, among shelves of pickles and jams, and a mousetrap|"
  "with no mouse in it.")
R(9, H, dict(n=7, s=12), "on the path through the kitchen garden, between rows of beans.|"
  "To the south stands the garden gate.")
R(10, H, dict(w=7, s=11), "in the herb garden. Sage, thyme and something that winks at you|"
  "grow in tidy beds. A shed stands to the south.")
R(11, H, dict(n=10), "in the garden shed, among flowerpots and broken rakes.")
R(12, H, dict(n=9, s=13), "at the garden gate. Beyond it, to the south, lies the Old Orchard.|"
  "Master always said: never go into the orchard without your spell book,|"
  "for the gate shuts behind you and only magic opens the way out.|"
  "Once through, there is no way back home: take all you will need.")

# --- The Old Orchard (a trap without the book) -----------------------------
O = "orchard"
R(13, O, dict(e=14), "in the Old Orchard. The gate has vanished behind a wall of thorns,|"
  "and gnarled apple trees stretch away to the east.")
R(14, O, dict(w=13, e=15), "deep in the orchard, under heavy branches. The trees whisper to|"
  "each other as you pass. The orchard goes on east and west.")
R(15, O, dict(w=14), "before a huge old tree to the north, with a laughing face carved by|"
  "the years into its trunk. The old books say such trees answer only to magic.|"
  "Thorns hem in the clearing round the tree; the orchard lies back to the west.")

# --- Glimmerwood, the first woodland -----------------------------------------
W = "woods"
R(16, W, dict(w=20, n=17), "in a bramble thicket that snags your robes. A narrow way leads north,|"
  "and the woodland path is back to the west.")
R(17, W, dict(s=16, n=18), "in a woodcutter's clearing, scattered with chips and stumps.")
R(18, W, dict(s=17, w=21), "by a fallen oak, its roots reaching up like grasping fingers.")
R(19, W, dict(s=24, n=29, e=25), "on the bank of a chattering stream, where birds sing|"
  "in the alders. Paths lead north, east and south.")
R(20, W, dict(s=15, n=21, e=16, w=23), "on a woodland path just north of the laughing tree.|"
  "Sunlight falls through the leaves of Glimmerwood and the birds are singing.")
R(21, W, dict(s=20, e=18, n=22, w=24), "at a fork in the woodland path. Ways lead off in every direction.")
R(22, W, dict(s=21, n=25), "at the mouth of a cave that smells of old socks and roast rat.|"
  "The path runs on north past the cave, and back south.")
R(23, W, dict(e=20, n=24), "in a mossy dell, soft and green, with birdsong all around.")
R(24, W, dict(s=23, e=21, n=19), "in a sunny glade where the birds sing their hearts out.")
R(25, W, dict(s=22, w=19, n=26), "on the path beyond the cave, among tall beeches full of birds.")
R(26, W, dict(s=25, n=31, e=27), "outside a woodsman's lodge, whose door is to the north.|"
  "A woodpile lies to the east.")
R(27, W, dict(w=26), "beside a great woodpile, buzzing with beetles.")
R(28, W, dict(w=29, n=30), "at a guard post on the forest road, which runs on north. A hollow lies west.")
R(29, W, dict(s=19, e=28), "in a ferny hollow, loud with birdsong. A road lies to the east.")
R(30, W, dict(s=28, e=32, w=33, n=36), "at the edge of the forest. Meadows open to the north,|"
  "a crumbling wall runs west, and a shack stands to the east.")
R(31, W, dict(s=26), "inside the woodsman's lodge, among splinters of the door you broke.|"
  "The woodsman seems to have left in a hurry.")
R(32, W, dict(w=30), "before a shack with a battered, splintered door to the east.|"
  "Dark red stains run down the wood and a putrid smell seeps out.|"
  "Something inside is breathing, slowly and heavily.")
R(33, W, dict(e=30, w=34), "at an old iron door set in the crumbling wall. It leads west.")
R(34, W, dict(e=33), "in a forgotten walled garden, overgrown with roses gone wild.")
R(35, W, {}, "in the lair of a werebear, which looks up from its dinner|"
  "and decides that you are dessert.")

# --- Meadows and the face door -------------------------------------------------
M = "meadows"
R(36, M, dict(s=30, n=37, e=38), "in a meadow of long grass, rippling in the wind like a green sea.|"
  "A path leads north up a hill; a ruin stands to the east.")
R(37, M, dict(s=36, n=39), "on a grassy hillside dotted with sheep that look at you suspiciously.")
R(38, M, dict(w=36), "in the ruin of a shepherd's hut, open to the sky.")
R(39, M, dict(s=37, n=40), "before a stone door set into the hill to the north.|"
  "Carved on it is a man's face with a black hole for a left eye.")
R(40, M, dict(s=39, n=41), "in a tunnel through the hill, which comes out among old graves.")
R(41, M, dict(s=40, e=42), "in an overgrown graveyard. Crooked headstones lean in the gloom,|"
  "and a crypt stands to the east.")
R(42, M, dict(w=41, n=43), "in a damp crypt with an iron door to the north. Bats hang from|"
  "the ceiling, and something has been sleeping here by day.")
R(43, M, dict(e=42, s=44, w=45), "in a clearing behind the crypt, whose iron door is back to the east.|"
  "To the south lies a suspiciously neat pile of autumn leaves;|"
  "to the west the trees grow dark and close.")
R(44, M, {}, "falling through the pile of leaves into a deep pit|"
  "lined with sharpened stakes.")

# --- The enchanted woods ---------------------------------------------------------
E = "enchanted woods"
R(45, E, dict(e=43, w=46), "at the edge of the enchanted woods, where the birdsong sounds|"
  "just a little mocking. The trees to the west shimmer oddly: whoever|"
  "goes in there without some magic to find the way out may wander for ever,|"
  "and nobody comes back out this way: take all you will need from behind you.")
R(46, E, dict(n=46, s=46, e=46, w=46), "lost in the enchanted woods. Every way looks the same, and every|"
  "way leads back here. A hill rises to the north, if only you could find it.")
R(47, E, dict(s=46, n=48), "on top of a small hill, out of the enchantment at last.|"
  "Birds sing and a path leads north.")
R(48, E, dict(s=47, n=49), "on a path winding through birches.")
R(49, E, dict(s=48, e=50, n=51), "in a bright wood full of birdsong. A glade lies east.")
R(50, E, dict(w=49), "in a glade of wild flowers, humming with bees.")
R(51, E, dict(s=49, n=52), "on a stony track climbing out of the woods.")
R(52, E, dict(s=51, n=53), "where a forgotten track once crossed this one. Its broken signpost|"
  "points only north and south now.")
R(53, E, dict(s=52, n=54), "on a windy upland track.")
R(54, E, dict(s=53, e=55), "where the track bends east around a hummock.")
R(55, E, dict(w=54, n=56), "on a track lined with gorse.")
R(56, E, dict(s=55, n=57), "at a little wayside shrine to the god of the mountains.")

# --- The cliff and the village ---------------------------------------------------
V = "village"
R(57, V, dict(s=56), "at the top of a sheer cliff. Far below lies a village.|"
  "A narrow path leads down the cliff face.")
R(58, V, dict(s=59), "on a narrow ledge halfway down the cliff. The path goes on south|"
  "towards the bottom, and up to the clifftop.")
R(59, V, dict(n=58, e=60), "at the bottom of the cliff. A village lies to the east.")
R(60, V, dict(w=59, n=64, e=61, s=63), "outside the village gates, which stand open to the north.|"
  "The smell of roasting meat drifts out. Paths lead east and south.|"
  "Chalked on the gatepost: ALL GUESTS WELCOME. NO GUEST LEAVES.|"
  "Whatever you still want from the valley, get it before you go in.")
R(61, V, dict(w=60, n=62), "beside a frozen stream, which runs north.")
R(62, V, dict(s=61), "by a frozen pond, its bank crusted white with frost.")
R(63, V, dict(n=60), "in a farmyard shed, full of tools for breaking ice and hay.")
R(64, V, {}, "in the village feasting hall, where long tables groan with food.")
R(65, V, dict(s=66), "in a prison cell below the village. The cell door is to the south,|"
  "and the villagers are sharpening knives somewhere above.")
R(66, V, dict(n=65, e=67), "in the guardroom of the village prison. The guard is at the feast.|"
  "Stairs lead east, up to the market square.")
R(67, V, dict(w=66, e=68), "in the village market square, among fish stalls and goats.|"
  "A carver's hut stands to the east, its door carved with saints and angels:|"
  "the carver's angels are famous. There is no other way on from here.")
R(68, V, dict(w=67), "in the carver's hut, full of wood shavings and half-carved saints.")
R(69, V, dict(s=67, n=70), "in a narrow market lane between high walls, and the villagers are|"
  "close behind you. Walking will not save you: your only hope is to RUN!")
R(70, V, {}, "in a blind alley, and the villagers have caught up with you.")
R(71, V, dict(s=69), "at the foot of steep ice cliffs, so fragile that they creak in the wind.|"
  "Behind you the howling crowd is coming up the path, and there will|"
  "be no going back to the village.")

# --- The third woodland and the mountain --------------------------------------------
T = "mountain"
R(72, T, dict(n=72, s=72, e=72, w=72), "in a dense wood beyond the avalanche. The birds sing, but the paths|"
  "wind round and round among the trees: without a map you could walk here for ever.")
R(73, T, dict(e=72), "on the summit of the mountain, above the clouds, beside a great|"
  "throne of rock. The wood lies back to the east.")
R(74, T, dict(s=73, e=75), "on a high mountain pass. An empty shepherd's bothy stands here,|"
  "and the roar of water comes from the east.")
R(75, T, dict(w=74, e=76), "by a waterfall, which tumbles into a clear pool.|"
  "A perfect place for a bath, if you had something to wash with.")
R(76, T, dict(w=75, s=77), "at an abandoned camp, with a cold fire pit. A tunnel opens to the south.")

# --- The tunnels -----------------------------------------------------------------------
U = "tunnels"
R(77, U, dict(n=76, s=78), "at the mouth of the tunnels, where an old barrel stands by the wall.|"
  "The tunnel goes on south.")
R(78, U, dict(n=77, s=79), "at a rock face across the tunnel to the south.|"
  "A round hole is carved into the rock.")
R(79, U, dict(n=78, e=80), "in a tunnel lit by glowing fungus. It leads east, and from that way|"
  "comes a whiff of brimstone and scale polish. Whatever lives there is|"
  "very clean, and very particular about how visitors smell.")
R(80, U, dict(w=79, e=81), "in a vast cavern, its floor scorched black. A way leads on east.")
R(81, U, dict(w=80, e=82), "in a narrow passage. Ahead, to the east, it is pitch black.")
R(82, U, dict(w=81, e=83), "in a long passage. Old torch holders line the walls.")
R(83, U, dict(w=82, s=84, e=85), "in a guardroom cut into the rock. A storeroom lies south,|"
  "and the passage goes on east.")
R(84, U, dict(n=83), "in a storeroom full of broken crates and timber.")
R(85, U, dict(w=83, e=86), "in a tunnel that slopes down towards the sound of rushing water.")
R(86, U, dict(w=85), "at the edge of a chasm. An underground river roars far below,|"
  "carrying off whatever falls in, and the tunnel goes on beyond the gap,|"
  "to the east. Nobody could jump it: whoever crosses lays something long across.")
R(87, U, dict(w=86), "on a narrow ledge on the far side of the chasm. The passage|"
  "seems to end at a wall of stone.")
R(88, U, dict(w=87, e=90), "in a hidden passage behind the wall. It runs east.")
R(89, U, dict(w=95), "in a side chamber behind the crushing walls, where someone|"
  "once lived, and hung their things on a row of pegs.")
R(90, U, dict(w=88, e=91), "in a mine working. Rusty rails run east.")
R(91, U, dict(w=90, e=92), "at an iron door across the mine working, to the east.")
R(92, U, dict(w=91, e=93), "in a mine gallery. Scratches score the walls.")
R(93, U, dict(w=92, e=95), "at the entrance of a long chamber to the east, between two great walls|"
  "of polished stone. The floor is grooved, as if the walls move.|"
  "Anybody caught in there would need something to hold them apart,|"
  "and would never get back this way: carry in all you will need.")
R(94, U, dict(n=95, s=96), "in a passage beyond the walls, leading south.")
R(95, U, {}, "between two great walls of polished stone.")
R(96, U, dict(n=94, s=97), "in a troll cave. Something crunches underfoot, and the way south|"
  "leads towards warmer air.")
R(97, U, dict(n=96, s=98), "in a warm cave heated by hot springs.")
R(98, U, dict(n=97, s=99), "in a steaming cave by a hot spring, warm as a bath.")
R(99, U, dict(n=98, s=100), "at the mouth of the caves. An icy wind howls in from the south,|"
  "from the frozen wastes: without warm clothes you would freeze in seconds.")

# --- The frozen wastes (100-121) -------------------------------------------------------
F = "frozen wastes"
R(100, F, dict(n=99, s=101), "in the frozen wastes. A white desert of snow stretches away.")
R(101, F, dict(n=100, e=102, s=104), "on the frozen plain. Snow blows in ribbons over the ice.")
R(102, F, dict(w=101, e=103), "on ice as smooth as glass.")
R(103, F, dict(w=102), "by an abandoned sledge, with a frozen washing line behind it.")
R(104, F, dict(n=101, s=107, w=105, e=108), "at a frozen crossroads marked by a pole.")
R(105, F, dict(e=104, s=106), "on a snowy plain where travellers pass.")
R(106, F, dict(n=105), "in deep snow, where a traveller has clearly stumbled and fallen.")
R(107, F, dict(n=104, s=110), "on a ridge of packed ice.")
R(108, F, dict(w=104, e=109), "among ice pillars carved by the wind.")
R(109, F, dict(w=108), "at the end of the pillars, by a frozen yak.")
R(110, F, dict(n=107, e=111), "in a valley of snow drifts.")
R(111, F, dict(w=110, e=112), "on a snowfield under a pale sun.")
R(112, F, dict(w=111, s=113), "at the edge of a glacier.")
R(113, F, dict(n=112, w=114), "on the glacier, among blue crevasses.")
R(114, F, dict(e=113, w=115), "on the glacier, where the ice groans.")
R(115, F, dict(e=114, s=116), "at the foot of the glacier.")
R(116, F, dict(n=115, e=117), "in a white waste under a leaden sky.")
R(117, F, dict(w=116, e=118), "among frozen boulders.")
R(118, F, dict(w=117, s=119), "in a snowy gully.")
R(119, F, dict(n=118, e=120), "before a wall of ice to the east.")
R(120, F, dict(w=119, s=121), "before a great wall of ice, where a hut of snow huddles.")
R(121, F, dict(n=120), "behind the snow hut, by a pile of frozen laundry.")

# --- The ice cave -----------------------------------------------------------------------
I = "ice cave"
R(122, I, dict(s=125, n=123), "in a side gallery of the ice cave, lit blue by the ice.")
R(123, I, dict(s=122, e=124), "in a gallery of icicles, chiming like bells.")
R(124, I, dict(w=123), "in a dead end of the gallery, where the ice has frozen a fish mid-leap.")
R(125, I, dict(w=120, e=126, n=122), "inside the ice cave. Blue light glows through the walls.")
R(126, I, dict(w=125, n=127, s=130, e=129), "at a junction of ice tunnels. Ways lead off in every direction.")
R(127, I, dict(s=126, n=128), "in an ice tunnel, where the frost grows in feathers on the walls.")
R(128, I, dict(s=127), "in a dwarves' camp, long deserted.")
R(129, I, dict(w=126, e=134), "in a huge ice hall. Claw marks score the walls.")
R(130, I, dict(n=126, s=131), "on a slippery ice slope.")
R(131, I, dict(n=130, e=132, w=136), "in a cave of frozen waterfalls.")
R(132, I, dict(w=131, e=133), "in a narrow crawl through the ice.")
R(133, I, dict(w=132), "at the bottom of a shaft. Things dropped from above land here.")
R(134, I, dict(w=129, e=135), "in a tunnel beyond the ice hall.")
R(135, I, dict(w=134, e=138), "at the end of the ice cave, where a small castle stands to the east.")
R(136, I, dict(e=131, w=137), "in a cavern where the dwarves kept their stores.")
R(137, I, dict(e=136), "by a great dwarvish fuel tank, still sloshing.")

# --- The riddler's castle ------------------------------------------------------------------
C = "castle"
R(138, C, dict(w=135, e=139), "in the gate hall of a small castle. Candles burn in iron stands.|"
  "The hall goes on east; the ice cave lies back to the west.")
R(139, C, dict(w=138, e=140), "in a hall hung with tapestries of the sun, moon and stars.|"
  "Doors lead east and west.")
R(140, C, dict(w=139, e=141), "in a tower room where night and day are painted on the ceiling,|"
  "one half dark with stars, the other bright with the rising dawn.")
R(141, C, dict(w=140, s=142, e=143), "in the castle courtyard, where snow lies on the cobbles.|"
  "The castle gate leads south, and a great hall lies to the east.")
R(142, C, dict(n=141), "outside the castle gate, at the edge of the snowy plains, where|"
  "the drifts lie deep. The courtyard is north.")
R(143, C, dict(w=141, n=144, e=146), "in the castle hall, under smoky rafters. A gallery lies north|"
  "and a corridor runs east. The courtyard is west.")
R(144, C, dict(s=143, n=149), "in a long gallery hung with portraits of stern old wizards,|"
  "whose eyes follow you. The gallery goes on north.")
R(145, C, {}, "on a tiny ledge high up the castle tower, with the wind tugging|"
  "at your robes. There is nothing up here; the only way on is back down the shaft.")
R(146, C, dict(w=143, e=147), "in a corridor lined with empty suits of armour, which creak as you pass.")
R(147, C, dict(w=146, s=150), "at the top of a winding stair leading south, down to the cellars.")
R(148, C, dict(e=149), "in a secret room behind the picture. A dusty floor, and a dark shaft|"
  "that leads up into the tower.")
R(149, C, dict(s=144), "at the end of the gallery, where one old picture of a grumpy wizard|"
  "hangs crookedly on the west wall. The gallery leads back south.")
R(150, C, dict(n=147, s=155, e=151, w=153), "in the castle cellars, among barrels and cobwebs. Ways lead off|"
  "east, west and south, and the stair climbs north.")
R(151, C, dict(w=150, e=152), "in the wine cellar. Every bottle is empty, except the one that is vinegar.")
R(152, C, dict(w=151), "in an empty cellar that smells of mice.")
R(153, C, dict(e=150, w=154), "in a cellar so full of cobwebs that the spiders must be very proud.")
R(154, C, dict(e=153), "in a dead end of the cellars, where someone has written HELP on the wall.")
R(155, C, dict(n=150, e=159, s=156), "in a cave below the castle, where the cellars give way to raw rock.|"
  "Water drips somewhere to the east.")
R(156, C, dict(n=155, s=157), "in a dripping passage that runs south.")
R(157, C, dict(n=156, e=158), "in a passage of black rock, glittering with mica.")
R(158, C, dict(w=157), "in a dead end, where some long-dead explorer sits patiently, waiting for nothing.")

# --- The underground river and the second chasm --------------------------------------------
K = "deep caves"
R(159, K, dict(w=155, s=165, e=160), "on the bank of an underground river, where driftwood and other|"
  "things washed down from the chasm far upstream collect in a tangle.|"
  "A passage leads south, the shore runs on east, and the cave below|"
  "the castle is back to the west.")
R(160, K, dict(w=159, e=161), "on a rocky shore beside the black river.")
R(161, K, dict(w=160, n=162), "in a cave of stalagmites, like a forest of stone.")
R(162, K, dict(s=161, n=163), "in a cave of stalactites, hanging like stone icicles.")
R(163, K, dict(s=162, e=164), "in a crystal grotto that sparkles in every colour.")
R(164, K, dict(w=163), "at a dead end in the grotto.")
R(165, K, dict(w=159, n=166), "in a passage that curves round from the river bank, to the west,|"
  "and climbs north towards a cold draught.")
R(166, K, dict(s=165, e=167, w=169), "at the edge of a deep chasm, whose far side lies to the north.|"
  "Nobody could jump it. Ledges run east and west along the edge, and|"
  "the way back is south.")
R(167, K, dict(w=166, e=168), "on a ledge along the chasm. Pebbles you kick fall for a very long time.")
R(168, K, dict(w=167), "at the end of the ledge.")
R(169, K, dict(e=166, w=170), "in a cave that smells sweetly of sugar and strawberries.")
R(170, K, dict(e=169, n=171), "in a sweet shop that somebody once opened here, deep underground,|"
  "and that closed for lack of customers. Jars line the dusty shelves.")
R(171, K, dict(s=170), "in the back room of the sweet shop, among empty boxes.")
R(172, K, dict(s=166, n=173), "on the far side of the chasm, which lies back to the south.|"
  "A passage leads north.")
R(173, K, dict(s=172, n=175, e=176), "at a meeting of ways. Passages lead north and east, and the chasm is south.")
R(174, K, dict(e=175), "in a forgotten armoury, where empty weapon racks line the walls.")
R(175, K, dict(s=173), "at a wall of dressed stone at the end of a passage. On it is|"
  "carved the crest of the House of Anieron, and beneath it the words:|"
  "FOR A FRIEND OF THIS HOUSE THE WALL OPENS TO THE WEST.|"
  "The way back is south.")
R(176, K, dict(w=173, e=177), "at a gate in the rock, with a sentry box beside it. The way on is east.")
R(177, K, dict(w=176, e=178, n=179), "in an old mine. Tunnels lead east and north.")
R(178, K, dict(w=177), "in a diamond mine. The floor is covered in fine white powder.")
R(179, K, dict(s=177, n=180), "in a tunnel that climbs north.")
R(180, K, dict(s=179, n=181), "in a tunnel where the walls grow smooth and carved.")
R(181, K, dict(s=180, n=182), "in a tunnel decorated with stone serpents.")
R(182, K, dict(s=181, e=183), "in a tunnel that turns east.")
R(183, K, dict(w=182, e=184), "in a tunnel lit by glowing runes.")
R(184, K, dict(w=183, n=185), "in a tunnel that turns north, towards a great building.")
R(185, K, dict(s=184, n=186), "at the end of the tunnels, under a sky of purple cloud.")

# --- The palace approach and the four doors --------------------------------------------------
P = "four doors"
R(186, P, dict(s=185, n=187), "before the palace of the Keeper of Stones, a black tower of fused rock.|"
  "A great door with a heavy lock stands to the north.")
R(187, P, dict(s=186, n=188), "inside the palace gate, in a passage of black glass. A stair lies north.")
R(188, P, dict(s=187, e=189), "at the foot of a stair that climbs up into the palace. A cloakroom lies east.")
R(189, P, dict(w=188), "in a cloakroom, full of the cloaks of visitors who never came back for them.")
R(190, P, dict(n=191, e=192, s=193, w=194), "in a round chamber with four doors, north, east, south and west.|"
  "Words are written on each of them: read them before you choose.|"
  "A stair leads down.")
R(191, P, dict(s=190, n=195), "behind the north door, in a passage that leads on north.")
R(192, P, dict(w=190, e=196), "behind the east door, in a passage that leads on east.")
R(193, P, dict(n=190, s=196), "behind the south door, in a passage that leads on south.")
R(194, P, dict(e=190, w=196), "behind the west door, in a passage that leads on west.")
R(195, P, dict(s=191, n=197), "in a safe, quiet passage. You have chosen well. It leads north.")
R(196, P, {}, "falling into a bottomless pit. You were warned not to trust the doors.")

# --- The palace of the Keeper of Stones ----------------------------------------------------------
Q = "palace"
R(197, Q, dict(s=195, n=198), "in the palace entrance hall, where a pale ghost floats above the floor.|"
  "A passage leads north to the antechamber. No weapon of steel can harm|"
  "the demon Azrak; only a thing of good. Strike him with it:|"
  "laid down at his feet, it is no more than a gift to him.")
R(198, Q, dict(s=197, n=199), "in the palace antechamber. Beyond it, to the north, lie the Keeper's|"
  "own halls, where the Keeper's eyes see everything that can be seen.")
R(199, Q, dict(s=198, n=200, e=201, w=202), "in the great hall of the palace, under a dome of black crystal.|"
  "Doors lead north, east and west.")
R(200, Q, dict(s=199, n=204, e=203), "in a hall just south of the Keeper's chamber.")
R(201, Q, dict(w=199, n=205), "in a corridor running north from the great hall.")
R(202, Q, dict(e=199, w=209), "in a side hall that stinks of old meat. Something huge growls|"
  "and rattles its chain to the west.")
R(203, Q, dict(w=200), "in a side room full of crystal balls, all showing your face.")
R(204, Q, dict(s=200, n=208), "in the Keeper's chamber, a hall of tall menhirs that hum with power.|"
  "Ways lead north and south.")
R(205, Q, dict(s=201, n=206), "in a narrow gallery.")
R(206, Q, dict(s=205, n=207), "in a small room. A brass switch is set into the wall; a notice beside|"
  "it says: PALACE GUARDS ONLY.")
R(207, Q, dict(s=206, w=208), "in a hall of mirrors.")
R(208, Q, dict(e=207, s=204), "in a hall behind the Keeper's chamber, which lies south.|"
  "A hall of mirrors is east.")
R(209, Q, {}, "in the lair of the Keeper's pet rock troll, which is hungry.")
