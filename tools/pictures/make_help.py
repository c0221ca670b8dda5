#!/usr/bin/env python3
"""Writes help/words.html from the game's word data file and compiles the help.

    python3 tools/pictures/make_help.py [ROOT]

The page lists every verb and adverb the vocabulary holds, grouped by what
they do, with an example of each sentence shape made from the world's own
words. Then chmcmd compiles help/glimhelp.hhp into data/glimhelp.chm.
"""
import html
import os
import subprocess
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))

# What each verb number does, in the order the page lists them.
ACTIONS = [
    ((11, 43), "read", "read something: a book, a note, a sign", "{v} {book}"),
    ((37,), "examine", "look closely at something, or search it", "{v} {map}"),
    ((16, 17), "take", "pick something up", "{v} {book}"),
    ((18, 19, 20), "drop or give", "put something down; with a receiver, hand it over", "{v} {book}"),
    ((21, 22), "open", "open a door with a key, or open a box", "{v} {door} {with} {key}"),
    ((39, 41), "lock", "lock a door with a key", "{v} {door} {with} {key}"),
    ((42,), "ram", "throw your weight against a door", "{v} {door}"),
    ((36,), "insert", "put one thing into another", "{v} {book} {into} {box}"),
    ((27, 28), "light", "set light to something", "{v} {candle} {with} {matches}"),
    ((29,), "use", "use a thing", "{v} {candle}"),
    ((30,), "wear", "put on something you carry", "{v} {coat}"),
    ((23,), "eat", "eat something", "{v} {apple}"),
    ((24,), "drink", "drink", "{v} {water}"),
    ((38,), "break", "break something with a tool", "{v} {box} {with} {spear}"),
    ((47, 48, 49), "place", "set something down where it is needed", "{v} {book}"),
    ((50,), "clean", "clean something with something", "{v} {book} {with} {soap}"),
    ((51,), "wash", "wash yourself, or clean a thing", "{v} {me}"),
    ((53,), "pour", "pour one thing on another", "{v} {water} {onto} {book}"),
    ((12, 13, 14, 15), "attack", "fight a character with a weapon", "{v} {foe} {with} {spear}"),
    ((33, 34, 35, 40), "talk", "speak to a character, or ask about something", "{v} {cat}"),
    ((25,), "bribe", "try to buy someone's help", "{v} {foe}"),
    ((54,), "call", "call someone to you", "{v} {cat}"),
    ((31, 32), "climb", "go up", "{v} {tree}"),
    ((44, 45, 46), "shout", "make a great deal of noise (also on its own)", "{v}"),
    ((52,), "run", "run away (on its own)", "{v}"),
]


def read_words(path):
    with open(path, "rb") as f:
        lines = [l.rstrip("\r\n") for l in f.read().decode("latin-1").split("\n")]
    counts = [int(x) for x in lines[:8]]
    i = 8
    verbs = lines[i:i + counts[0]]; i += counts[0]
    adverbs = lines[i:i + counts[1]]; i += counts[1]
    unreals = [lines[i + 2 * k] for k in range(counts[2])]; i += 2 * counts[2]
    objects = [lines[i + 7 * k] for k in range(counts[3])]; i += 7 * counts[3]
    chars = [lines[i + 7 * k] for k in range(counts[4])]
    return verbs, adverbs, unreals, objects, chars


def main():
    wdt = os.path.join(ROOT, "data", "glimtext.wdt")
    if not os.path.exists(wdt):
        wdt = os.path.join(ROOT, "tests", "fixtures", "numbered", "glimtext.wdt")
    verbs, adverbs, unreals, objects, chars = read_words(wdt)

    def v(n):
        return verbs[n - 1] if 0 < n <= len(verbs) else ""

    def adv(n):
        return adverbs[n - 1] if 0 < n <= len(adverbs) else ""

    def obj(n):
        return objects[n - 1] if 0 < n <= len(objects) else "thing"

    def unreal(n):
        return unreals[n - 1] if 0 < n <= len(unreals) else "thing"

    def char(n):
        return chars[n - 1] if 0 < n <= len(chars) else "someone"

    # Example words: only harmless ones, so that no example gives a puzzle away.
    # Every example is a sentence the game's parser accepts as it stands (a
    # test runs them all), made of the world's own words.
    ex = dict(book=obj(1), map=obj(2), door=unreal(1), key=obj(4), candle=obj(10), matches=obj(44),
              coat=obj(26), apple=obj(8), water=unreal(9), box=obj(34), spear=obj(14), soap=obj(29),
              me=unreal(4), foe=char(2), cat=char(23), tree=unreal(11), onto=adv(2), into=adv(1),
              **{"with": adv(7)})

    out = []
    w = out.append
    w("<h1>Verbs, adverbs and sentences</h1>")
    w("<p>These are all the words the game knows for doing things. Words are typed in small letters; "
      "a word the game does not know gets a polite complaint.</p>")
    w("<h2>Command words</h2><p>Typed on their own, these act by their first letter "
      "(see <a href=\"commands.html\">the one-letter commands</a>):</p><p>")
    w(", ".join("<span class=\"cmd\">%s</span>" % html.escape(v(n)) for n in range(1, 11) if v(n)))
    w("</p>")
    w("<h2>Verbs</h2><table><tr><th>Words</th><th>What they do</th><th>For example</th></tr>")
    for nums, _, what, example in ACTIONS:
        words = [v(n) for n in nums if v(n)]
        if not words:
            continue
        words = list(dict.fromkeys(words))
        e = example.format(v=html.escape(words[0]), **{k: html.escape(x) for k, x in ex.items()})
        w("<tr><td>%s</td><td>%s</td><td class=\"cmd\">%s</td></tr>" % (", ".join("<span class=\"cmd\">%s</span>" % html.escape(x) for x in words), what, e))
    w("</table>")
    roles = {1: "inserting into", 8: "inserting into", 2: "pouring on", 9: "pouring on", 3: "two things at once",
             6: "who receives a thing", 7: "what you use", 10: "a word you may put before a name",
             12: "what you ask about", 11: "talking to someone", 4: "another joining word", 5: "another joining word"}
    w("<h2>Adverbs</h2><p>The small words that join the parts of a sentence:</p>"
      "<table><tr><th>Word</th><th>Used for</th></tr>")
    for n in range(1, len(adverbs) + 1):
        if roles.get(n):
            w("<tr><td><span class=\"cmd\">%s</span></td><td>%s</td></tr>" % (html.escape(adv(n)), roles[n]))
    w("</table>")
    b, m, c, d, k = (html.escape(x) for x in (obj(1), obj(2), char(23), unreal(1), obj(4)))
    take, drop, talk, ask, opn = (html.escape(v(n)) for n in (16, 18, 33, 34, 22))
    a3, a6, a7, a10, a12 = (html.escape(adv(n)) for n in (3, 6, 7, 10, 12))
    w("<h2>The shapes of a sentence</h2><p>A sentence has one to five words: a verb, up to two names "
      "of things or characters, and the small words that join them.</p><table>"
      "<tr><th>Shape</th><th>Example</th></tr>")
    shapes = [
        ("verb thing", "%s %s" % (take, b)),
        ("verb %s thing" % a10, "%s %s %s" % (take, a10, b)),
        ("verb thing %s thing" % a3, "%s %s %s %s" % (take, b, a3, m)),
        ("verb thing %s character" % a6, "%s %s %s %s" % (drop, m, a6, c)),
        ("verb thing %s thing" % a7, "%s %s %s %s" % (opn, d, a7, k)),
        ("verb %s thing %s thing" % (a10, a7), "%s %s %s %s %s" % (opn, a10, d, a7, k)),
        ("verb character %s thing" % a12, "%s %s %s %s" % (ask, c, a12, m)),
        ("verb character %s %s thing" % (a12, a10), "%s %s %s %s %s" % (ask, c, a12, a10, m)),
        ("verb character", "%s %s" % (talk, c)),
    ]
    for shape, example in shapes:
        w("<tr><td>%s</td><td class=\"cmd\">%s</td></tr>" % (shape, example))
    w("</table>")
    w("<p>Describing words are skipped: if you type the colour or the look of a thing along with its "
      "name, only the name counts. A thing is called by the word that reads as its name in the line "
      "that shows it: for <i>The bottle of poison is here</i> type <span class=\"cmd\">get bottle</span>. "
      "Sentences of more than five words are too long for the game.</p>")
    w("<h2>Keys and amulet halves</h2><p>There are several keys and two halves of an amulet, so each is "
      "called by its own kind, and the line that shows it says which word to use: for "
      "<i>The %s key (say %s) is here</i> type <span class=\"cmd\">get %s</span> and "
      "<span class=\"cmd\">%s %s %s %s</span>. The word <i>key</i> or <i>amulet</i> on its own "
      "names none of them.</p>" % (k, k, k, html.escape(v(21)), d, a7, k))
    g = html.escape(char(2))
    w("<h2>Characters</h2><p>People and creatures are called by what they are, not by their own names: "
      "for <i>The %s named Bert is here</i> type <span class=\"cmd\">%s %s</span> or "
      "<span class=\"cmd\">%s %s %s %s</span>. Their own names work too: "
      "<span class=\"cmd\">%s %s %s bert</span>.</p>"
      % (g, talk, g, ask, c, a12, g, ask, c, a12))
    w("<h2>Things the game does not know</h2><p>The descriptions of places mention many things for "
      "colour. When you name a thing and the game answers <i>I don't know what it is that you are "
      "talking about</i>, that thing is only scenery: there is nothing to find in it, and you can stop "
      "looking at it. Everything that matters is a word the game knows: the things listed as being "
      "here, the characters, and the few parts of a place that a puzzle needs (a door, a wall, the "
      "grass, the snow, a tree and the like).</p>")

    with open(os.path.join(ROOT, "help", "index.html")) as f:
        head = f.read().split("</p>", 1)[0] + "</p>\n"
    page = head.replace("<title>How to play</title>", "<title>Verbs, adverbs and sentences</title>")
    with open(os.path.join(ROOT, "help", "words.html"), "w") as f:
        f.write(page + "\n".join(out) + "\n</body>\n</html>\n")

    subprocess.run(["chmcmd", "--no-html-scan", "glimhelp.hhp"], cwd=os.path.join(ROOT, "help"), check=True,
                   stdout=subprocess.DEVNULL)
    print("wrote help/words.html and data/glimhelp.chm")


if __name__ == "__main__":
    main()
