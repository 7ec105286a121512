"""Sphinx extension: Sigmora timing diagrams as figures.

    .. sigmora:: timing/handshake.sgm
       :alt: The read handshake
       :width: 80%
       :caption: A read cycle

The argument is a Sigmora diagram (.sgm), a WaveJSON file (.json) or a value change dump (.vcd),
relative to the document (or to the source folder when it starts with "/"). A dump takes the
options :clock:, :signals:, :from: and :to: of ``sigmora --convert``. HTML builders get an SVG
picture, LaTeX builders a PDF one; other builders the alternative text.

Pictures are named after a hash of the diagram's bytes, the picture type and the dump options, and
a picture already in the output folder is not converted again. A missing diagram or a failed
conversion is a warning naming the file (``sphinx-build -W`` turns it into an error).

Set-up in conf.py:
    sys.path.insert(0, "path/to/integrations/sphinx")
    extensions = ["sigmora_sphinx"]
    sigmora_program = "sigmora"   # optional: the program, default $SIGMORA or sigmora on the PATH
"""

import hashlib
import os
import subprocess

from docutils import nodes
from docutils.parsers.rst import directives
from sphinx.util import logging
from sphinx.util.docutils import SphinxDirective

logger = logging.getLogger(__name__)

DUMP_OPTIONS = ("clock", "signals", "from", "to")


class sigmora_figure(nodes.General, nodes.Element):
    """A diagram to be drawn when the document is written."""


class SigmoraDirective(SphinxDirective):
    required_arguments = 1
    final_argument_whitespace = True
    option_spec = {
        "alt": directives.unchanged,
        "width": directives.length_or_percentage_or_unitless,
        "caption": directives.unchanged,
        "name": directives.unchanged,
        "clock": directives.unchanged_required,
        "signals": directives.unchanged_required,
        "from": directives.unchanged_required,
        "to": directives.unchanged_required,
    }

    def run(self):
        source = self.arguments[0]
        relative, path = self.env.relfn2path(source, self.env.docname)
        if not os.path.isfile(path):
            logger.warning("sigmora: %s: the diagram does not exist (%s)", source, path,
                           location=(self.env.docname, self.lineno))
            return []
        # A changed diagram makes its document be written again.
        self.env.note_dependency(relative)
        node = sigmora_figure()
        node["path"] = path
        node["source"] = source
        node["alt"] = self.options.get("alt", "")
        node["width"] = self.options.get("width", "")
        node["caption"] = self.options.get("caption", "")
        node["options"] = [(option, self.options[option]) for option in DUMP_OPTIONS if option in self.options]
        node.line = self.lineno
        node.source = self.env.doc2path(self.env.docname)
        self.add_name(node)
        return [node]


def _program(config):
    return config.sigmora_program or os.environ.get("SIGMORA") or "sigmora"


def _picture(translator, node, kind, folder):
    """Converts the node's diagram to a picture of kind in folder unless it is there already; its
    file name, or None after a warning."""
    try:
        with open(node["path"], "rb") as diagram:
            content = diagram.read()
    except OSError as error:
        logger.warning("sigmora: %s: %s", node["source"], error.strerror, location=node)
        return None
    key = hashlib.sha256()
    for part in (content, kind.encode(), os.path.splitext(node["path"])[1].lower().encode()):
        key.update(part + b"\0")
    for option, value in node["options"]:
        key.update(f"{option}={value}".encode() + b"\0")
    name = f"sigmora-{key.hexdigest()[:32]}.{kind}"
    out = os.path.join(folder, name)
    if os.path.isfile(out):
        return name
    os.makedirs(folder, exist_ok=True)
    command = [_program(translator.builder.config), "--convert", node["path"], out]
    for option, value in node["options"]:
        command += ["--" + option, value]
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    try:
        done = subprocess.run(command, capture_output=True, text=True, env=env, check=False)
    except OSError as error:
        logger.warning("sigmora: %s: cannot run %s: %s", node["source"], command[0], error.strerror, location=node)
        return None
    # Sigmora replaces the picture only once it is whole: a failed run leaves nothing behind.
    if done.returncode != 0:
        reason = "; ".join(line.removeprefix("sigmora: ") for line in done.stderr.splitlines() if line.strip())
        logger.warning("sigmora: %s: %s", node["source"], reason or "the conversion failed", location=node)
        return None
    return name


def visit_html(translator, node):
    name = _picture(translator, node, "svg", os.path.join(translator.builder.outdir, translator.builder.imagedir))
    ids = " ".join(f'id="{i}"' for i in node["ids"][:1])
    translator.body.append(f'<figure class="sigmora align-default" {ids}>\n'.replace("  ", " "))
    if name is None:
        translator.body.append(f'<p class="sigmora-failed">{translator.encode(node["alt"] or node["source"])}</p>\n')
    else:
        src = f"{translator.builder.imgpath}/{name}"
        style = f' style="width: {translator.encode(node["width"])}"' if node["width"] else ""
        alt = translator.encode(node["alt"] or node["caption"] or node["source"])
        translator.body.append(f'<img src="{src}" alt="{alt}"{style} />\n')
    if node["caption"]:
        translator.body.append('<figcaption>\n<p><span class="caption-text">'
                               f'{translator.encode(node["caption"])}</span></p>\n</figcaption>\n')
    translator.body.append("</figure>\n")
    raise nodes.SkipNode


def visit_latex(translator, node):
    name = _picture(translator, node, "pdf", translator.builder.outdir)
    if name is None:
        translator.body.append("\n" + translator.encode(node["alt"] or node["source"]) + "\n")
        raise nodes.SkipNode
    width = translator.latex_image_length(node["width"]) if node["width"] else None
    options = f"[width={width}]" if width else ""
    translator.body.append("\n\\begin{figure}[htbp]\n\\centering\n")
    translator.body.append(f"\\sphinxincludegraphics{options}{{{name}}}\n")
    if node["caption"]:
        translator.body.append(f"\\caption{{{translator.encode(node['caption'])}}}\n")
    for i in node["ids"][:1]:
        translator.body.append(translator.hypertarget(i, anchor=False))
    translator.body.append("\\end{figure}\n")
    raise nodes.SkipNode


def on_doctree_resolved(app, doctree, docname):
    """Builders that take no pictures get the diagram's alternative text."""
    if app.builder.format in ("html", "latex"):
        return
    for node in list(doctree.traverse(sigmora_figure)):
        node.replace_self(nodes.paragraph(text=node["alt"] or node["caption"] or node["source"]))


def setup(app):
    app.add_config_value("sigmora_program", "", "env")
    app.add_node(sigmora_figure, html=(visit_html, None), latex=(visit_latex, None))
    app.add_directive("sigmora", SigmoraDirective)
    app.connect("doctree-resolved", on_doctree_resolved)
    return {"version": "1.0", "parallel_read_safe": True, "parallel_write_safe": True}
