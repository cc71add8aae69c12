// petla bez konca
p: sob p
