#!/usr/bin/env python3
"""Writes the world of Glimmerhold, data/glimtext.wdt and data/glimroom.dat,
and the introduction and credits, data/credits.txt.

Run from the repository root:  python3 tools/world/make_world.py
The vocabulary, objects and characters are here; the map is in rooms.py.
Both files are written with CR LF line ends. Check what it wrote with the
world checker, which reads the files through the game's own readers:
glim-worldcheck data (built in build/tools/worldcheck/).
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "fixtures"))
import numbered  # noqa: E402
from rooms import ROOMS  # noqa: E402

VERBS = ["north", "south", "east", "west", "up", "down", "look", "quit", "inventory", "help",
         "read", "attack", "kill", "fight", "slay", "get", "take", "drop", "give", "put",
         "unlock", "open", "eat", "drink", "bribe", "go", "light", "ignite", "use", "wear",
         "climb", "ascend", "talk", "ask", "speak", "insert", "examine", "break", "lock", "tell",
         "bolt", "ram", "study", "shout", "yell", "scream", "place", "lay", "set", "clean",
         "wash", "run", "pour", "call"]
ADVERBS = ["into", "onto", "and", "from", "at", "to", "with", "in", "on", "the", "towards", "about"]
UNREALS = [("door", "wooden"), ("spell", "section"), ("joke", "section"), ("me", "myself"),
           ("grass", "long"), ("eye", "left"), ("hair", "golden"), ("snow", "deep"),
           ("water", "clear"), ("pool", "still"), ("wall", "stone"), ("picture", "old"),
           ("powder", "white"), ("dust", "grey"), ("hole", "round"), ("tank", "of fuel"), ("tree", "laughing")]

# number: (name, qualifier, location, tense)
OBJECTS = {
    1: ("book", "of spells", 2, 0),
    2: ("map", "of Glimmerwood", 3, 0),
    3: ("rose", "of summer", 50, 0),
    4: ("rusty", "key (say rusty)", 27, 0),
    5: ("slug", "of enormous size", 7, 0),
    6: ("flask", "of oil", 5, 0),
    7: ("statue", "of an angel", 68, 0),
    8: ("apple", "(red)", 14, 4),
    9: ("bottle", "of poison", 8, 0),
    10: ("candle", "of tallow", 79, 0),
    11: ("camera", "(instant)", 0, 0),
    12: ("sun", "amulet (say sun)", 132, 0),
    13: ("marble", "(glass)", 0, 0),
    14: ("spear", "(short)", 31, 0),
    15: ("garlic", "(fresh)", 6, 0),
    16: ("note", "(folded)", 76, 0),
    17: ("pickaxe", "(sturdy)", 63, 0),
    18: ("medallion", "of silver", 0, 0),
    19: ("hairpin", "(slender)", 0, 0),
    20: ("orb", "of truth", 56, 4),
    21: ("bone", "(large)", 0, 0),
    22: ("dawn", "amulet (say dawn)", 127, 0),
    23: ("plank", "of beechwood", 84, 0),
    24: ("bar", "of metal", 90, 0),
    25: ("gem", "(sparkling)", 0, 0),
    26: ("coat", "of fur", 89, 0),
    27: ("coins", "of gold", 34, 1),
    28: ("ring", "of diamonds", 0, 0),
    29: ("soap", "of lavender", 74, 0),
    30: ("sign", "(painted)", 26, 0),
    31: ("longjohns", "of wool", 103, 1),
    32: ("flamethrower", "(dwarvish)", 128, 0),
    33: ("lolly", "(a gift, not a snack)", 170, 0),  # eaten, it is lost: the line warns
    34: ("box", "(wooden)", 11, 0),
    35: ("rope", "(long)", 0, 0),
    36: ("feather", "of a goose", 38, 0),
    37: ("sword", "of heroes", 174, 0),
    38: ("skeleton", "key (say skeleton)", 0, 0),
    39: ("iron", "key (say iron)", 85, 0),
    40: ("staff", "of Wendle", 0, 0),
    41: ("shiny", "key (say shiny; it fits two doors)", 0, 0),
    42: ("switch", "of brass", 206, 0),
    43: ("block", "of ice", 62, 0),
    44: ("matches", "(dry)", 81, 1),
    45: ("cape", "of shadows", 0, 0),
}

# number: (name, qualifier, location, block code, pronoun, tense)
HE, SHE, THEY, IT = 0, 1, 2, 3
CHARS = {
    1: ("caveman", "called Ug", 22, 2, HE, 0),
    2: ("guard", "named Bert", 28, 2, HE, 0),
    3: ("wally", "called Kevin", 98, 0, HE, 0),
    4: ("darkness", "itself", 82, 3, IT, 3),
    5: ("vampire", "Count Gnasher", 41, 3, HE, 0),
    6: ("woman", "called Rowena", 58, 4, SHE, 0),
    7: ("visitor", "(absent)", 0, 0, HE, 0),
    8: ("crowd", "of villagers", 68, 0, THEY, 1),  # they burst in on whoever opens the carver's hut
    9: ("god", "Thunderbeard", 73, 0, HE, 0),
    10: ("sentry", "looking glum", 77, 4, HE, 0),
    11: ("dragon", "green and gold", 80, 3, HE, 0),
    12: ("dog", "called Fang", 83, 4, IT, 0),
    13: ("trolls", "Bash and Mash", 96, 4, THEY, 1),
    14: ("beggar", "called Old Tom", 52, 0, HE, 0),
    15: ("hermit", "(dirty old)", 120, 0, HE, 0),
    16: ("riddler", "(white-bearded)", 138, 3, HE, 0),
    17: ("beast", "of frost", 129, 3, IT, 0),
    18: ("porter", "(greedy)", 176, 3, HE, 0),
    19: ("noble", "Lord Anieron", 142, 0, HE, 0),
    20: ("ghost", "of Master Wendle", 197, 0, HE, 0),
    21: ("demon", "Azrak", 198, 2, HE, 0),
    22: ("keeper", "of Stones", 204, 0, HE, 0),
    23: ("cat", "Tiddlywinks", 1, 0, IT, 0),
}

# (state, room, direction, key); doors 1-2 and 3-4 are the two sides of one door.
N_, S_, E_, W_ = 1, 2, 3, 4
DOORS = [
    (2, 33, W_, 41), (2, 34, E_, 41),      # 1, 2: the old iron gate, the cleaned (shiny) key
    (2, 186, N_, 38), (2, 187, S_, 38),    # 3, 4: the palace gate, the skeleton key
    (3, 26, N_, 0),                        # 5: the lodge door, jammed (ram it)
    (2, 67, E_, 41),                       # 6: the carver's hut, the shiny key
    (0, 2, E_, 0),                         # 7: the library door
    (2, 91, E_, 39),                       # 8: the iron door, the iron key
    (0, 4, S_, 0),                         # 9: the tower's front door
    (2, 39, N_, 0),                        # 10: the face door (spear in the eye)
    (0, 191, N_, 0),                       # 11: the north door
    (2, 42, N_, 0),                        # 12: the crypt door (the vampire)
    (0, 192, E_, 0),                       # 13: the east door
    (2, 65, S_, 19),                       # 14: the cell door, the hairpin
    (0, 193, S_, 0),                       # 15: the south door
    (0, 194, W_, 0),                       # 16: the west door
    (2, 78, S_, 18),                       # 17: the rock face (medallion in the hole)
]
UP = [(57, 58), (190, 188), (145, 148)]   # (upper, lower): up from lower
DOWN = [(57, 58), (190, 188), (145, 148)]  # (upper, lower): down from upper


# The introduction and the credits: the text the window's splash scrolls and
# its About box shows, and the terminal game prints at start and on :about.
# The cat's answers rely on its troll hint ("that scrolly message").
CREDITS = [
    "Glimmerhold - The Wendle Staff",
    "",
    "You are the apprentice of a powerful wizard, known to mortals only as the Warden of the Glimmer.",
    "Your master held the Wendle Staff, a staff of gold whose power kept the lands of Glimmerhold safe.",
    "While you were at your lessons, learning the names of Truth (and that trolls do not like having "
    "their photo taken), the servants of the evil Keeper of Stones attacked in great numbers, killed "
    "your master and took the staff.",
    "You swore revenge, and promised to bring the staff back so that the Keeper cannot use its power "
    "for evil.",
    "Your journey begins at home, with your wits, your master's old cat and the things he left behind.",
    "",
    "Credits",
    "Story, world and puzzles: the Glimmerhold team.",
    "Pictures, sounds and music: drawn and composed by the game's own generators.",
    "Thanks to everyone who played it first and got lost in the woods.",
]


def picture(k):
    return 6 if k == 23 else k - 1


def build():
    w = numbered.World()
    w.verbs = list(VERBS)
    w.adverbs = list(ADVERBS)
    w.unreals = [list(u) for u in UNREALS]
    for k, (name, qual, loc, tense) in OBJECTS.items():
        w.objects[k] = dict(name=name, qual=qual, loc=loc, state=0, tense=tense,
                            x=30 + (k * 53) % 420, y=300 + (k * 7) % 40)
    for k, (name, qual, loc, block, pron, tense) in CHARS.items():
        w.chars[k] = dict(name=name, qual=qual, loc=loc, block=block, packed=4 * pron + tense,
                          pic=picture(k), lpic=1 if k == 2 else 0)
    w.doors = [dict(state=s, room=r, dir=d, key=k) for s, r, d, k in DOORS]
    w.up = list(UP)
    w.down = list(DOWN)
    w.rooms = max(ROOMS)
    assert sorted(ROOMS) == list(range(1, w.rooms + 1)), "room numbers must run 1..N without gaps"
    w.exits = {r: ex for r, (_, ex, _) in ROOMS.items()}
    w.text = {r: t.split('|') for r, (_, _, t) in ROOMS.items()}
    return w


def write(w, folder):
    with open(os.path.join(folder, "glimtext.wdt"), "wb") as f:
        f.write(("\r\n".join(w.word_lines()) + "\r\n").encode("latin-1"))
    with open(os.path.join(folder, "glimroom.dat"), "wb") as f:
        f.write(("\r\n".join(w.room_lines()) + "\r\n").encode("latin-1"))
    with open(os.path.join(folder, "credits.txt"), "wb") as f:
        f.write(("\r\n".join(CREDITS) + "\r\n").encode("latin-1"))


def write_room_list(path):
    """docs/rooms.tsv for the picture generator: number, region, what the room looks like."""
    lines = ["room\tregion\tlooks"]
    for r in sorted(ROOMS):
        region, _, text = ROOMS[r]
        flat = " ".join(text.split("|"))
        end = flat.find(". ")
        first = flat if end < 0 else flat[:end + 1]
        first = first[0].upper() + first[1:]
        lines.append("%d\t%s\t%s" % (r, region, first))
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    root = os.path.abspath(os.path.join(HERE, "..", ".."))
    write(build(), os.path.join(root, "data"))
    write_room_list(os.path.join(root, "docs", "rooms.tsv"))
    print("wrote data/glimtext.wdt, data/glimroom.dat, data/credits.txt and docs/rooms.tsv")
