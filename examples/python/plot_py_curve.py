"""Plots the first P-Y curve of the shipped clean example; run it from the repository's root with the
package installed (pip install .) and matplotlib."""

# [snippet python-plot]
import matplotlib.pyplot as plt
import orvane

deck = orvane.read_file("examples/inputs/clean.inp")
curve = deck.blocks_of(orvane.PYBlock)[0].curves[0]
plt.plot(curve.points[:, 0], curve.points[:, 1]); plt.show()
# [/snippet]
